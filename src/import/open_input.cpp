#include "import/open_input.hpp"

#include "base/quoted_path.hpp"

namespace rovev {

std::unique_ptr<input_stream> open_input(input_files& files, const boost::filesystem::path& file,
                                         report& out) {
  std::unique_ptr<input_stream> bytes = files.open(file);
  if (!bytes) out.out_error(messages::cannot_read_file, quoted(file));
  return bytes;
}

}  // namespace rovev
