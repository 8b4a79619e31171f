#include "base/quoted_path.hpp"

#include <sstream>

namespace rovev {

std::string quoted(const boost::filesystem::path& path) {
  std::ostringstream text;
  text << path;
  return text.str();
}

}  // namespace rovev
