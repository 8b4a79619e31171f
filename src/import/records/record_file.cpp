#include "import/records/record_file.hpp"

#include "base/quoted_path.hpp"

namespace rovev {

bool open_record_file(const boost::filesystem::path& file, input_file& bytes, report& out) {
  if (bytes.open(file)) return true;
  out.error(messages::cannot_read_file, quoted(file));
  return false;
}

}  // namespace rovev
