#include "support/temp_folder.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace rovev::testing {

temp_folder::temp_folder(std::string_view name_suffix) {
  namespace fs = boost::filesystem;
  path_ = fs::temp_directory_path() / fs::unique_path("zov-%%%%-%%%%-%%%%");
  path_ += std::string(name_suffix);
  fs::create_directories(path_);
}

namespace {

// Removes name below the open folder parent, folder by folder through
// descriptors, so that paths longer than PATH_MAX go too.
void remove_below(int parent, const char* name) {
  if (::unlinkat(parent, name, 0) == 0) return;
  const int descriptor = ::openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (descriptor < 0) return;
  DIR* folder = ::fdopendir(descriptor);
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(folder)) {
    const std::string entry_name = entry->d_name;
    if (entry_name != "." && entry_name != "..") names.push_back(entry_name);
  }
  for (const std::string& entry_name : names) remove_below(::dirfd(folder), entry_name.c_str());
  ::closedir(folder);
  ::unlinkat(parent, name, AT_REMOVEDIR);
}

}  // namespace

temp_folder::~temp_folder() { remove_below(AT_FDCWD, path_.c_str()); }

void write_file(const boost::filesystem::path& file, std::string_view bytes) {
  boost::filesystem::create_directories(file.parent_path());
  std::ofstream stream(file.string(), std::ios::binary | std::ios::trunc);
  stream.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!stream) throw std::runtime_error("cannot write " + file.string());
}

std::string read_file(const boost::filesystem::path& file) {
  std::ifstream stream(file.string(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

}  // namespace rovev::testing
