#include <windows.h>

#include <memory>
#include <string_view>
#include <utility>
#include <vector>

#include "os/disk_files.hpp"
#include "os/native_handle_windows.hpp"
#include "os/system_error_windows.hpp"

namespace rovev {
namespace {

// A regular file of the file system read through a buffer of its own.
class disk_file final : public input_stream {
 public:
  disk_file(native_handle handle, std::uintmax_t size)
      : handle_(std::move(handle)), size_(size), buffer_(64 * 1024) {}

  bool read_failed() const override { return read_failed_; }
  std::uintmax_t size() const override { return size_; }

 protected:
  int_type underflow() override {
    if (read_failed_) return traits_type::eof();
    DWORD count = 0;
    if (!::ReadFile(handle_.get(), buffer_.data(), static_cast<DWORD>(buffer_.size()), &count,
                    nullptr)) {
      read_failed_ = true;
      return traits_type::eof();
    }
    if (count == 0) return traits_type::eof();
    deliver(buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  native_handle handle_;
  std::uintmax_t size_;
  bool read_failed_ = false;
  std::vector<char> buffer_;
};

std::uintmax_t size_of(const BY_HANDLE_FILE_INFORMATION& information) {
  return std::uintmax_t{information.nFileSizeHigh} << 32 | information.nFileSizeLow;
}

}  // namespace

std::optional<input_files::status> disk_files::stat(const boost::filesystem::path& file) {
  const native_handle found = open_to_ask(file.c_str());
  BY_HANDLE_FILE_INFORMATION information{};
  if (!found.is_open() || !::GetFileInformationByHandle(found.get(), &information)) {
    return std::nullopt;
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
    return status{kind::folder, 0};
  if (::GetFileType(found.get()) != FILE_TYPE_DISK) return status{kind::other, 0};
  return status{kind::regular, size_of(information)};
}

// Anything but a regular file (a folder, a pipe, a device) is refused; the
// file is shared with every other program, which may write or remove it.
std::unique_ptr<input_stream> disk_files::open(const boost::filesystem::path& file) {
  native_handle opened(::CreateFileW(file.c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (!opened.is_open() || ::GetFileType(opened.get()) != FILE_TYPE_DISK ||
      !::GetFileInformationByHandle(opened.get(), &information) ||
      (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return nullptr;
  }
  return std::make_unique<disk_file>(std::move(opened), size_of(information));
}

// An entry is a folder when the listing says so and it is no link (a
// symbolic link or a junction), which the walks do not enter.
input_files::listing disk_files::list(const boost::filesystem::path& folder) {
  listing listed;
  const auto fail = [&listed, &folder](file_system_failure::operation failed) {
    listed.failure = file_system_failure{failed, last_error(), folder};
    // A file listed as a folder is told as the C library tells it.
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
      listed.failure->error = make_error_code(boost::system::errc::not_a_directory);
    }
  };
  WIN32_FIND_DATAW found{};
  const HANDLE search =
      ::FindFirstFileExW((folder / L"*").c_str(), FindExInfoBasic, &found, FindExSearchNameMatch,
                         nullptr, FIND_FIRST_EX_LARGE_FETCH);
  if (search == INVALID_HANDLE_VALUE) {
    fail(file_system_failure::operation::open_folder);
    return listed;
  }
  const std::unique_ptr<void, BOOL (*)(HANDLE)> closed_at_the_end(search, ::FindClose);
  do {
    const std::wstring_view name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    const DWORD attributes = found.dwFileAttributes;
    listed.entries.push_back({boost::filesystem::path(std::wstring(name)),
                              (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                                  (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0,
                              {}});
  } while (::FindNextFileW(search, &found));
  if (::GetLastError() != ERROR_NO_MORE_FILES) fail(file_system_failure::operation::read_folder);
  return listed;
}

}  // namespace rovev
