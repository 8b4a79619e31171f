#include "support/temp_folder.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace rovev::testing {

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

// Each folder's name holds the process that made it: zov-PID-...
constexpr std::string_view name_prefix = "zov-";

// A run that was killed (a timeout, a crash) left its folders, some of them
// large; the next run removes those whose process has gone.
void remove_folders_of_gone_runs(const boost::filesystem::path& temp) {
  boost::system::error_code error;
  for (boost::filesystem::directory_iterator entry(temp, error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.rfind(name_prefix, 0) != 0) continue;
    const long pid = std::strtol(name.c_str() + name_prefix.size(), nullptr, 10);
    if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
      remove_below(AT_FDCWD, entry->path().c_str());
    }
  }
}

}  // namespace

temp_folder::temp_folder(std::string_view name_suffix) {
  namespace fs = boost::filesystem;
  const fs::path temp = fs::temp_directory_path();
  static const bool swept = (remove_folders_of_gone_runs(temp), true);
  (void)swept;
  path_ = temp / (std::string(name_prefix) + std::to_string(::getpid()) + "-" +
                  fs::unique_path("%%%%-%%%%-%%%%").string());
  path_ += std::string(name_suffix);
  fs::create_directories(path_);
}

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
