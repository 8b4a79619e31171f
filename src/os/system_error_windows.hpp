#pragma once

#include <windows.h>

#include <boost/system/error_code.hpp>

namespace rovev {

// The C library's error of a Windows error, for the errors a run can meet;
// success for any other.
inline boost::system::errc::errc_t errno_of(DWORD error) {
  namespace errc = boost::system::errc;
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
    case ERROR_INVALID_NAME:
      return errc::no_such_file_or_directory;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return errc::permission_denied;
    case ERROR_DIRECTORY:
      return errc::not_a_directory;
    case ERROR_FILENAME_EXCED_RANGE:
      return errc::filename_too_long;
    case ERROR_CANT_RESOLVE_FILENAME:
      return errc::too_many_symbolic_link_levels;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return errc::not_enough_memory;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return errc::no_space_on_device;
    case ERROR_NOT_READY:
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
      return errc::io_error;
    default:
      return errc::success;
  }
}

// The last error of the calling thread as the C library's error, which the
// lines tell the same on every platform.
inline boost::system::error_code last_error() {
  return make_error_code(errno_of(::GetLastError()));
}

}  // namespace rovev
