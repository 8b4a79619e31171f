#pragma once

#include <windows.h>

#include <utility>

namespace rovev {

// An open handle, closed by its owner; INVALID_HANDLE_VALUE for none.
class native_handle {
 public:
  explicit native_handle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  native_handle(native_handle&& other) noexcept
      : handle_(std::exchange(other.handle_, INVALID_HANDLE_VALUE)) {}
  native_handle& operator=(native_handle&&) = delete;
  ~native_handle() {
    if (is_open()) ::CloseHandle(handle_);
  }

  HANDLE get() const { return handle_; }
  bool is_open() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }

 private:
  HANDLE handle_;
};

// The file or folder at the path, its links followed, opened to be asked
// what it is (a folder opens too); none when it cannot be.
inline native_handle open_to_ask(const wchar_t* path) {
  return native_handle(::CreateFileW(path, FILE_READ_ATTRIBUTES,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace rovev
