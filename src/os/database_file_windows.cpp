#include <windows.h>

#include <string>

#include "os/database_file.hpp"
#include "os/native_handle_windows.hpp"

namespace rovev {
namespace {

// The run's lock lies on the same far byte as on POSIX: SQLite's own lock
// bytes on Windows lie from 1 GiB to 1 GiB + 511, which it never meets.
constexpr ULONGLONG lock_byte = 0x7FFFFFFFFFFFFFFEull;

// Shared for reading and writing, as SQLite shares it, but not for removing
// or renaming: while the run holds it, vg.db's name cannot be given to
// another file.
native_handle open_database_file(const boost::filesystem::path& path) {
  for (const DWORD access : {GENERIC_READ | GENERIC_WRITE, DWORD{GENERIC_READ}}) {
    native_handle opened(::CreateFileW(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (opened.is_open()) return opened;
  }
  return native_handle();
}

bool ask(HANDLE handle, BY_HANDLE_FILE_INFORMATION& information) {
  return ::GetFileInformationByHandle(handle, &information) != 0;
}

}  // namespace

file_kind kind_of(const boost::filesystem::path& file) {
  const native_handle found = open_to_ask(file.c_str());
  BY_HANDLE_FILE_INFORMATION information{};
  if (!found.is_open() || !ask(found.get(), information)) return file_kind::unknown;
  return (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
                 ::GetFileType(found.get()) == FILE_TYPE_DISK
             ? file_kind::regular
             : file_kind::other;
}

std::uint64_t link_count_of(const boost::filesystem::path& file) {
  const native_handle found = open_to_ask(file.c_str());
  BY_HANDLE_FILE_INFORMATION information{};
  return found.is_open() && ask(found.get(), information) ? information.nNumberOfLinks : 0;
}

boost::filesystem::path real_path_of(const boost::filesystem::path& file) {
  const native_handle found = open_to_ask(file.c_str());
  if (!found.is_open()) return file;
  std::wstring real(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size =
        ::GetFinalPathNameByHandleW(found.get(), real.data(), static_cast<DWORD>(real.size()),
                                    FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (size == 0) return file;
    if (size < real.size()) {
      real.resize(size);
      break;
    }
    real.resize(size);
  }
  // \\?\C:\folder, or \\?\UNC\server\share\folder for a network path.
  if (real.rfind(L"\\\\?\\UNC\\", 0) == 0) return L"\\\\" + real.substr(8);
  if (real.rfind(L"\\\\?\\", 0) == 0) return real.substr(4);
  return real;
}

struct database_file::handle {
  explicit handle(const boost::filesystem::path& path) : opened(open_database_file(path)) {}

  native_handle opened;
};

database_file::database_file(const boost::filesystem::path& path)
    : handle_(std::make_unique<handle>(path)) {}

database_file::~database_file() = default;

bool database_file::is_open() const { return handle_->opened.is_open(); }

bool database_file::is_regular() const {
  BY_HANDLE_FILE_INFORMATION information{};
  return is_open() && ::GetFileType(handle_->opened.get()) == FILE_TYPE_DISK &&
         ask(handle_->opened.get(), information) &&
         (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::uint64_t database_file::link_count() const {
  BY_HANDLE_FILE_INFORMATION information{};
  return is_open() && ask(handle_->opened.get(), information) ? information.nNumberOfLinks : 0;
}

// The same volume and the same file index: the same file.
bool database_file::is_named_by(const boost::filesystem::path& name) const {
  const native_handle named = open_to_ask(name.c_str());
  BY_HANDLE_FILE_INFORMATION held{};
  BY_HANDLE_FILE_INFORMATION found{};
  return is_open() && named.is_open() && ask(handle_->opened.get(), held) &&
         ask(named.get(), found) && held.dwVolumeSerialNumber == found.dwVolumeSerialNumber &&
         held.nFileIndexHigh == found.nFileIndexHigh && held.nFileIndexLow == found.nFileIndexLow;
}

lock_outcome database_file::lock() {
  if (!is_open()) return lock_outcome::not_taken;
  OVERLAPPED at{};
  at.Offset = static_cast<DWORD>(lock_byte);
  at.OffsetHigh = static_cast<DWORD>(lock_byte >> 32);
  if (::LockFileEx(handle_->opened.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1,
                   0, &at)) {
    return lock_outcome::held;
  }
  switch (::GetLastError()) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_IO_PENDING:
      return lock_outcome::held_elsewhere;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
      return lock_outcome::unsupported;
    default:
      return lock_outcome::not_taken;
  }
}

// Windows locks no folder; the file's own lock, and a name that cannot be
// taken from a file that is open, keep a second run out.
struct folder_lock::handle {};

folder_lock::folder_lock(const boost::filesystem::path&) : outcome_(lock_outcome::unsupported) {}

folder_lock::~folder_lock() = default;

}  // namespace rovev
