#include "import/records/record_file.hpp"

#include "base/quoted_path.hpp"

namespace rovev {

bool open_record_file(const boost::filesystem::path& file, std::ifstream& stream, report& out) {
  stream.open(file.string(), std::ios::binary);
  if (stream.is_open()) return true;
  out.error(messages::cannot_read_file, quoted(file));
  return false;
}

}  // namespace rovev
