#include "db/run_lock.hpp"

#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <limits>

#include "db/database_manager_error.hpp"

namespace rovev {
namespace {

// The lock is an open-file-description lock on the last byte a file can
// have. SQLite's own locks (POSIX record locks, also those of other programs
// beside the run) lie on the bytes from 1 GiB to 1 GiB + 511 and on its -shm
// file, and a record lock meets another only where their bytes overlap: so
// this one never meets SQLite's, and neither SQLite nor a reader or writer
// beside the run sees it. flock would not do: on NFS it becomes a record
// lock on the whole file. The lock goes with the process, however it ends.
constexpr off_t lock_byte = std::numeric_limits<off_t>::max() - 1;

// vg.db opened for writing, or else for reading, as far as it opens.
int open_database_file(const std::string& path) {
  const int flags = O_NOCTTY | O_NONBLOCK | O_CLOEXEC;
  const int descriptor = ::open(path.c_str(), O_RDWR | flags);
  return descriptor >= 0 ? descriptor : ::open(path.c_str(), O_RDONLY | flags);
}

}  // namespace

run_lock::run_lock(const std::string& database_path)
    : descriptor_(open_database_file(database_path)) {
  struct stat status {};
  if (descriptor_.get() < 0 || ::fstat(descriptor_.get(), &status) != 0 ||
      !S_ISREG(status.st_mode)) {
    return;
  }
  // SQLite writes its journal beside the name it opened: a run killed with
  // the journal beside one name leaves the file damaged for the other.
  if (status.st_nlink > 1) throw database_manager_error::more_than_one_link();
  struct flock lock {};
  lock.l_type = F_WRLCK;
  lock.l_whence = SEEK_SET;
  lock.l_start = lock_byte;
  lock.l_len = 1;
  // A file opened for reading only takes no such lock, nor does every file
  // system: those runs are refused by the check that follows, or go
  // unguarded, as before.
  if (::fcntl(descriptor_.get(), F_OFD_SETLK, &lock) != 0 && (errno == EAGAIN || errno == EACCES)) {
    throw database_manager_error(SQLITE_BUSY);
  }
}

}  // namespace rovev
