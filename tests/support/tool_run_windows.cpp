#include <windows.h>
// after windows.h, which it needs
#include <psapi.h>

#include <stdexcept>
#include <string>

#include "os/wide_text_windows.hpp"
#include "support/temp_folder.hpp"
#include "support/tool_run.hpp"

namespace rovev::testing {
namespace {

// One argument as CommandLineToArgvW reads it back.
std::wstring quoted(const std::wstring& argument) {
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) return argument;
  std::wstring text = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    text.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    text += c;
  }
  text.append(backslashes * 2, L'\\');
  return text + L"\"";
}

// The tool lies beside the tests.
std::wstring tool_file() {
  std::wstring own(MAX_PATH, L'\0');
  own.resize(::GetModuleFileNameW(nullptr, own.data(), static_cast<DWORD>(own.size())));
  return own.substr(0, own.find_last_of(L"\\/") + 1) + to_wide(ZOV_TOOL_FILE);
}

HANDLE inherited(const std::wstring& file, DWORD access, DWORD creation) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  return ::CreateFileW(file.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, creation,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
}

// The lines as a POSIX build writes them: LF ends, and UTF-8 where the
// tool wrote code page 932.
std::string as_posix_writes(const std::string& bytes) {
  const std::string text = ::GetACP() == 932 ? from_wide(to_wide(bytes, 932)) : bytes;
  std::string lines;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n') continue;
    lines += text[at];
  }
  return lines;
}

}  // namespace

// Standard output into a file or the null device; every other output of
// the options is a POSIX one.
tool_result run_tool(const std::vector<std::string>& arguments, const tool_options& options) {
  using output = tool_options::output;
  if (options.out != output::captured && options.out != output::null_device) {
    throw std::runtime_error("that output is one of POSIX only");
  }
  const temp_folder outputs;
  const std::wstring out_file = (outputs / "out").wstring();
  const std::wstring err_file = (outputs / "err").wstring();
  std::wstring command = quoted(tool_file());
  for (const std::string& argument : arguments) command += L" " + quoted(to_wide(argument));

  const HANDLE in = inherited(L"NUL", GENERIC_READ, OPEN_EXISTING);
  const HANDLE out = options.out == output::captured
                         ? inherited(out_file, GENERIC_WRITE, CREATE_ALWAYS)
                         : inherited(L"NUL", GENERIC_WRITE, OPEN_EXISTING);
  const HANDLE err = inherited(err_file, GENERIC_WRITE, CREATE_ALWAYS);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = in;
  startup.hStdOutput = out;
  startup.hStdError = err;
  PROCESS_INFORMATION process{};
  const std::wstring folder = to_wide(options.working_folder);
  const bool started =
      ::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr,
                       folder.empty() ? nullptr : folder.c_str(), &startup, &process);
  for (const HANDLE handle : {in, out, err}) ::CloseHandle(handle);
  if (!started) throw std::runtime_error("cannot start the tool");
  if (::WaitForSingleObject(process.hProcess, static_cast<DWORD>(options.timeout_seconds) * 1000) !=
      WAIT_OBJECT_0) {
    ::TerminateProcess(process.hProcess, 128 + 9);
    ::WaitForSingleObject(process.hProcess, INFINITE);
  }
  DWORD status = 1;
  ::GetExitCodeProcess(process.hProcess, &status);
  PROCESS_MEMORY_COUNTERS memory{};
  ::GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return {static_cast<int>(status),
          options.out == output::captured ? as_posix_writes(read_file(outputs / "out")) : "",
          as_posix_writes(read_file(outputs / "err")),
          static_cast<long>(memory.PeakWorkingSetSize / 1024)};
}

}  // namespace rovev::testing
