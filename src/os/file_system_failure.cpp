#include "os/file_system_failure.hpp"

namespace rovev {

std::string file_system_failure::text() const {
  std::string text = operation;
  text += ": ";
  text += error.message();
  if (!path.empty()) {
    text += ": \"";
    text += path.string();
    text += '"';
  }
  return text;
}

}  // namespace rovev
