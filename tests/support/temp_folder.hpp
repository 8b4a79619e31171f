#pragma once

#include <boost/filesystem/path.hpp>
#include <string>
#include <string_view>

namespace rovev::testing {

// A fresh folder under the system's temporary folder, removed at the end,
// or by the next run when this one is killed.
class temp_folder {
 public:
  explicit temp_folder(std::string_view name_suffix = "");
  ~temp_folder();
  temp_folder(const temp_folder&) = delete;
  temp_folder& operator=(const temp_folder&) = delete;

  const boost::filesystem::path& path() const { return path_; }
  boost::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  boost::filesystem::path path_;
};

// Writes the bytes, making the folders on the way.
void write_file(const boost::filesystem::path& file, std::string_view bytes);
std::string read_file(const boost::filesystem::path& file);

}  // namespace rovev::testing
