#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/platform.hpp"

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

}  // namespace

void set_up_test_process() {}

void remove_tree(const boost::filesystem::path& path) { remove_below(AT_FDCWD, path.c_str()); }

long process_id() { return static_cast<long>(::getpid()); }

bool has_gone(long process) {
  return ::kill(static_cast<pid_t>(process), 0) != 0 && errno == ESRCH;
}

std::unique_ptr<std::FILE, int (*)(std::FILE*)> open_file(const boost::filesystem::path& file,
                                                          const char* mode) {
  return {std::fopen(file.c_str(), mode), std::fclose};
}

void make_fifo(const boost::filesystem::path& file) {
  if (::mkfifo(file.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + file.string());
}

// Opens, and its first read fails (EIO).
std::shared_ptr<void> make_unreadable(const boost::filesystem::path& file) {
  boost::filesystem::create_symlink("/proc/self/mem", file);
  return nullptr;
}

boost::filesystem::path make_too_deep(const boost::filesystem::path& root,
                                      const std::string& entry) {
  boost::filesystem::path deep = root;
  while (deep.string().size() + 1 + entry.size() < PATH_MAX) deep /= entry;
  boost::filesystem::create_directories(deep);
  const int descriptor = ::open(deep.c_str(), O_RDONLY | O_DIRECTORY);
  ::mkdirat(descriptor, entry.c_str(), 0700);
  ::close(descriptor);
  return deep;
}

}  // namespace rovev::testing
