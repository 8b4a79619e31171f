#include "support/read_only.hpp"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <utility>

namespace rovev::testing {
namespace {

bool set_immutable(const boost::filesystem::path& path, bool immutable) {
  const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return false;
  int flags = 0;
  bool done = ::ioctl(descriptor, FS_IOC_GETFLAGS, &flags) == 0;
  flags = immutable ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
  done = done && ::ioctl(descriptor, FS_IOC_SETFLAGS, &flags) == 0;
  ::close(descriptor);
  return done;
}

}  // namespace

read_only::read_only(boost::filesystem::path path) : path_(std::move(path)) {
  struct stat status {};
  if (::stat(path_.c_str(), &status) != 0) return;
  if (::geteuid() == 0) {
    if (set_immutable(path_, true)) how_ = how::immutable_flag;
    return;
  }
  mode_ = status.st_mode & 07777;
  if (::chmod(path_.c_str(), mode_ & ~0222) == 0) how_ = how::permissions;
}

read_only::~read_only() {
  if (how_ == how::immutable_flag) set_immutable(path_, false);
  if (how_ == how::permissions) ::chmod(path_.c_str(), mode_);
}

}  // namespace rovev::testing
