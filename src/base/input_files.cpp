#include "base/input_files.hpp"

#include <sys/stat.h>

#include <boost/filesystem/operations.hpp>

#include "base/input_file.hpp"
#include "base/quoted_path.hpp"

namespace rovev {

std::optional<input_files::status> disk_files::stat(const boost::filesystem::path& file) {
  struct stat found {};
  if (::stat(file.c_str(), &found) != 0) return std::nullopt;
  if (S_ISDIR(found.st_mode)) return status{kind::folder, 0};
  if (!S_ISREG(found.st_mode)) return status{kind::other, 0};
  return status{kind::regular, static_cast<std::uintmax_t>(found.st_size)};
}

std::unique_ptr<input_stream> disk_files::open(const boost::filesystem::path& file) {
  return input_file::open(file);
}

input_files::listing disk_files::list(const boost::filesystem::path& folder) {
  namespace fs = boost::filesystem;
  listing listed;
  try {
    for (fs::directory_iterator each(folder), end; each != end; ++each) {
      // Boost takes this from the listing where the file system gives it.
      boost::system::error_code error;
      const fs::file_status own = each->symlink_status(error);
      listed.entries.push_back({each->path().filename(), !error && fs::is_directory(own), error});
    }
  } catch (const fs::filesystem_error& failure) {
    listed.failure = failure;
  }
  return listed;
}

std::unique_ptr<input_stream> open_input(input_files& files, const boost::filesystem::path& file,
                                         report& out) {
  std::unique_ptr<input_stream> bytes = files.open(file);
  if (!bytes) out.out_error(messages::cannot_read_file, quoted(file));
  return bytes;
}

}  // namespace rovev
