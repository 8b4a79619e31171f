#include <windows.h>

#include <boost/filesystem/detail/utf8_codecvt_facet.hpp>
#include <boost/filesystem/operations.hpp>
#include <locale>
#include <stdexcept>

#include "support/platform.hpp"

namespace rovev::testing {

void set_up_test_process() {
  boost::filesystem::path::imbue(
      std::locale(std::locale(), new boost::filesystem::detail::utf8_codecvt_facet));
}

// Read-only files go too.
void remove_tree(const boost::filesystem::path& path) {
  boost::system::error_code error;
  for (boost::filesystem::recursive_directory_iterator entry(path, error), end;
       !error && entry != end; entry.increment(error)) {
    ::SetFileAttributesW(entry->path().c_str(), FILE_ATTRIBUTE_NORMAL);
  }
  boost::filesystem::remove_all(path, error);
}

long process_id() { return static_cast<long>(::GetCurrentProcessId()); }

std::unique_ptr<std::FILE, int (*)(std::FILE*)> open_file(const boost::filesystem::path& file,
                                                          const char* mode) {
  const std::wstring wide_mode(mode, mode + std::char_traits<char>::length(mode));
  return {::_wfopen(file.c_str(), wide_mode.c_str()), std::fclose};
}

void make_fifo(const boost::filesystem::path&) {
  throw std::runtime_error("Windows has no FIFO in its file system");
}

// What no Windows file system gives: /proc's files that fail to be read,
// listings without the type of their entries.
std::shared_ptr<void> make_unreadable(const boost::filesystem::path&) {
  throw std::runtime_error("Windows has no file that opens and fails to be read");
}

boost::filesystem::path make_too_deep(const boost::filesystem::path&, const std::string&) {
  throw std::runtime_error("a Windows listing tells what every entry is");
}

bool has_gone(long process) {
  const HANDLE found = ::OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(process));
  if (found == nullptr) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = ::WaitForSingleObject(found, 0) == WAIT_OBJECT_0;
  ::CloseHandle(found);
  return ended;
}

}  // namespace rovev::testing
