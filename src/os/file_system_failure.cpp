#include "os/file_system_failure.hpp"

#include "os/error_text.hpp"

namespace rovev {
namespace {

// The names the lines have always given these operations.
const char* name_of(file_system_failure::operation failed) {
  switch (failed) {
    case file_system_failure::operation::open_folder:
      return "boost::filesystem::directory_iterator::construct";
    case file_system_failure::operation::read_folder:
      return "boost::filesystem::directory_iterator::operator++";
    case file_system_failure::operation::entry_status:
      return "boost::filesystem::symlink_status";
  }
  return "";
}

}  // namespace

std::string file_system_failure::text() const {
  std::string text = name_of(failed);
  text += ": ";
  text += error_text(error);
  if (!path.empty()) {
    text += ": \"";
    text += path.string();
    text += '"';
  }
  return text;
}

}  // namespace rovev
