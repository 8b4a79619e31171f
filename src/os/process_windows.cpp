#include <windows.h>
// after windows.h, which it needs
#include <shellapi.h>

#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>
#include <boost/filesystem/path.hpp>
#include <locale>
#include <memory>

#include "os/process.hpp"
#include "os/wide_text_windows.hpp"

namespace rovev {

void set_up_process() {
  // No dialog box for a drive without a medium or a file that will not
  // open: the call fails, and the tool says so.
  ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  // A path's narrow text is UTF-8, the text SQLite and the lines take (the
  // locale owns the facet, as every locale does).
  boost::filesystem::path::imbue(
      std::locale(std::locale(), new boost::filesystem::detail::utf8_codecvt_facet));
  // The progress line is drawn with terminal sequences where the console
  // takes them.
  for (const DWORD stream : {STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
    const HANDLE console = ::GetStdHandle(stream);
    DWORD mode = 0;
    if (::GetConsoleMode(console, &mode)) {
      ::SetConsoleMode(console, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
    }
  }
}

// Read as wide characters, so that a folder name in any script comes
// through, and given on as UTF-8.
std::vector<std::string> command_line_arguments(int argc, char* argv[]) {
  int count = 0;
  const std::unique_ptr<LPWSTR, HLOCAL (*)(HLOCAL)> wide(
      ::CommandLineToArgvW(::GetCommandLineW(), &count),
      [](HLOCAL memory) { return ::LocalFree(memory); });
  if (!wide) return {argv, argv + argc};
  std::vector<std::string> arguments;
  for (int i = 0; i < count; ++i) arguments.push_back(from_wide(wide.get()[i]));
  return arguments;
}

}  // namespace rovev
