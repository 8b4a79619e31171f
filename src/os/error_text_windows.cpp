#include <windows.h>

#include <string>

#include "os/error_text.hpp"
#include "os/system_error_windows.hpp"

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

}  // namespace

std::string error_text(const boost::system::error_code& error) {
  const auto value = error.category() == boost::system::system_category()
                         ? errno_of(static_cast<DWORD>(error.value()))
                         : static_cast<errc::errc_t>(error.value());
  for (const errno_text& known : errno_texts) {
    if (known.error == value) return known.text;
  }
  return "Unknown error " + std::to_string(error.value());
}

}  // namespace rovev
