#include <windows.h>

#include <string>

#include "os/error_text.hpp"

namespace rovev {
namespace {

namespace errc = boost::system::errc;

// The C library's texts of the errors a run can meet, as glibc gives them
// in English: the same line on either platform.
struct errno_text {
  errc::errc_t error;
  const char* text;
};
constexpr errno_text errno_texts[] = {
    {errc::no_such_file_or_directory, "No such file or directory"},
    {errc::permission_denied, "Permission denied"},
    {errc::not_a_directory, "Not a directory"},
    {errc::filename_too_long, "File name too long"},
    {errc::too_many_symbolic_link_levels, "Too many levels of symbolic links"},
    {errc::invalid_argument, "Invalid argument"},
    {errc::not_enough_memory, "Cannot allocate memory"},
    {errc::io_error, "Input/output error"},
    {errc::no_space_on_device, "No space left on device"},
};

// What Windows' errors are among those.
errc::errc_t as_errno(DWORD error) {
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

}  // namespace

std::string error_text(const boost::system::error_code& error) {
  const auto value = error.category() == boost::system::system_category()
                         ? as_errno(static_cast<DWORD>(error.value()))
                         : static_cast<errc::errc_t>(error.value());
  for (const errno_text& known : errno_texts) {
    if (known.error == value) return known.text;
  }
  return "Unknown error " + std::to_string(error.value());
}

}  // namespace rovev
