#include "os/database_file.hpp"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
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

lock_outcome lock_failed(int error) {
  if (error == EAGAIN || error == EACCES || error == EWOULDBLOCK)
    return lock_outcome::held_elsewhere;
  if (error == EINVAL || error == ENOLCK || error == EOPNOTSUPP) return lock_outcome::unsupported;
  return lock_outcome::not_taken;
}

}  // namespace

file_kind kind_of(const boost::filesystem::path& file) {
  struct stat status {};
  if (::stat(file.c_str(), &status) != 0) return file_kind::unknown;
  return S_ISREG(status.st_mode) ? file_kind::regular : file_kind::other;
}

std::uint64_t link_count_of(const boost::filesystem::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 ? status.st_nlink : 0;
}

boost::filesystem::path real_path_of(const boost::filesystem::path& file) {
  const std::unique_ptr<char, void (*)(void*)> real(::realpath(file.c_str(), nullptr), ::free);
  return real ? boost::filesystem::path(real.get()) : file;
}

struct database_file::handle {
  explicit handle(const boost::filesystem::path& path) : descriptor(open_database_file(path)) {}

  file_descriptor descriptor;
};

database_file::database_file(const boost::filesystem::path& path)
    : handle_(std::make_unique<handle>(path)) {}

database_file::~database_file() = default;

bool database_file::is_open() const { return handle_->descriptor.get() >= 0; }

bool database_file::is_regular() const {
  struct stat status {};
  return is_open() && ::fstat(handle_->descriptor.get(), &status) == 0 && S_ISREG(status.st_mode);
}

std::uint64_t database_file::link_count() const {
  struct stat status {};
  return is_open() && ::fstat(handle_->descriptor.get(), &status) == 0 ? status.st_nlink : 0;
}

bool database_file::is_named_by(const boost::filesystem::path& name) const {
  struct stat held {};
  struct stat named {};
  return is_open() && ::fstat(handle_->descriptor.get(), &held) == 0 &&
         ::stat(name.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

// Where the file system takes no open-file-description lock (some network
// and FUSE file systems), a classic record lock on the same byte: it holds
// as long as no descriptor of the file is closed in the process, and SQLite
// keeps its own open until the connection is closed, before this one.
lock_outcome database_file::lock() {
  if (!is_open()) return lock_outcome::not_taken;
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = lock_byte;
  lock.l_len = 1;
  if (::fcntl(handle_->descriptor.get(), F_OFD_SETLK, &lock) == 0) return lock_outcome::held;
  const lock_outcome outcome = lock_failed(errno);
  if (outcome != lock_outcome::unsupported) return outcome;
  if (::fcntl(handle_->descriptor.get(), F_SETLK, &lock) == 0) return lock_outcome::held;
  return lock_failed(errno);
}

struct folder_lock::handle {
  explicit handle(const boost::filesystem::path& folder)
      : descriptor(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOCTTY | O_CLOEXEC)) {}

  file_descriptor descriptor;
};

folder_lock::folder_lock(const boost::filesystem::path& folder)
    : handle_(std::make_unique<handle>(folder)) {
  if (handle_->descriptor.get() < 0) return;
  outcome_ = ::flock(handle_->descriptor.get(), LOCK_EX | LOCK_NB) == 0 ? lock_outcome::held
                                                                        : lock_failed(errno);
}

folder_lock::~folder_lock() = default;

}  // namespace rovev
