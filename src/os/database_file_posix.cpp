#include "os/database_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <limits>

#include "os/file_descriptor_posix.hpp"

namespace rovev {
namespace {

// The lock is an open-file-description lock on the last byte a file can
// have. SQLite's own locks (POSIX record locks, also those of other programs
// beside the run) lie on the bytes from 1 GiB to 1 GiB + 511 and on its -shm
// file, and a record lock meets another only where their bytes overlap: so
// this one never meets SQLite's, and neither SQLite nor a reader or writer
// beside the run sees it. flock would not do: on NFS it becomes a record
// lock on the whole file.
constexpr off_t lock_byte = std::numeric_limits<off_t>::max() - 1;

// Opened for writing, or else for reading, as far as it opens.
int open_database_file(const boost::filesystem::path& path) {
  const int flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  const int descriptor = ::open(path.c_str(), O_RDWR | flags);
  return descriptor >= 0 ? descriptor : ::open(path.c_str(), O_RDONLY | flags);
}

}  // namespace

bool can_be_found(const boost::filesystem::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0;
}

struct database_file::handle {
  explicit handle(const boost::filesystem::path& path) : descriptor(open_database_file(path)) {
    regular =
        descriptor.get() >= 0 && ::fstat(descriptor.get(), &status) == 0 && S_ISREG(status.st_mode);
  }

  file_descriptor descriptor;
  struct stat status {};
  bool regular = false;
};

database_file::database_file(const boost::filesystem::path& path)
    : handle_(std::make_unique<handle>(path)) {}

database_file::~database_file() = default;

bool database_file::is_regular() const { return handle_->regular; }

std::uint64_t database_file::link_count() const { return handle_->status.st_nlink; }

database_file::lock_outcome database_file::lock() {
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = lock_byte;
  lock.l_len = 1;
  if (::fcntl(handle_->descriptor.get(), F_OFD_SETLK, &lock) == 0) return lock_outcome::held;
  return errno == EAGAIN || errno == EACCES ? lock_outcome::held_elsewhere
                                            : lock_outcome::not_taken;
}

}  // namespace rovev
