#include "db/run_lock.hpp"

#include <sqlite3.h>

#include "db/database_manager_error.hpp"

namespace rovev {

run_lock::run_lock(const boost::filesystem::path& database) : file_(database) {
  if (!file_.is_regular()) return;
  // SQLite writes its journal beside the name it opened: a run killed with
  // the journal beside one name leaves the file damaged for the other.
  if (file_.link_count() > 1) throw database_manager_error::more_than_one_link();
  // A file opened for reading only takes no such lock, nor does every file
  // system: those runs are refused by the check that follows, or go
  // unguarded, as before.
  if (file_.lock() == database_file::lock_outcome::held_elsewhere) {
    throw database_manager_error(SQLITE_BUSY);
  }
}

}  // namespace rovev
