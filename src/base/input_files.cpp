#include "base/input_files.hpp"

#include <boost/filesystem/operations.hpp>

#include "base/input_file.hpp"
#include "base/quoted_path.hpp"

namespace rovev {

std::optional<input_files::status> disk_files::stat(const boost::filesystem::path& file) {
  namespace fs = boost::filesystem;
  boost::system::error_code error;
  const fs::file_status found = fs::status(file, error);
  if (error) return std::nullopt;
  if (fs::is_directory(found)) return status{kind::folder, 0};
  if (!fs::is_regular_file(found)) return status{kind::other, 0};
  const std::uintmax_t size = fs::file_size(file, error);
  if (error) return std::nullopt;
  return status{kind::regular, size};
}

std::unique_ptr<input_stream> disk_files::open(const boost::filesystem::path& file) {
  return input_file::open(file);
}

std::unique_ptr<input_stream> open_input(input_files& files, const boost::filesystem::path& file,
                                         report& out) {
  std::unique_ptr<input_stream> bytes = files.open(file);
  if (!bytes) out.out_error(messages::cannot_read_file, quoted(file));
  return bytes;
}

}  // namespace rovev
