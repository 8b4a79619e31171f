#include "db/run_lock.hpp"

#include <sqlite3.h>

#include "db/database_manager_error.hpp"
#include "db/database_replaced.hpp"

namespace rovev {

run_lock::run_lock(const boost::filesystem::path& database) : name_(database), file_(database) {
  if (!file_.is_open()) return;
  if (!file_.is_regular()) {
    no_regular_file_ = true;
    return;
  }
  // SQLite writes its journal beside the name it opened: a run killed with
  // the journal beside one name leaves the file damaged for the other.
  if (file_.link_count() > 1) throw database_manager_error::more_than_one_link();
  const lock_outcome held = file_.lock();
  if (held == lock_outcome::held_elsewhere) throw database_manager_error(SQLITE_BUSY);
  // A file opened for reading only takes no lock: the check that follows
  // refuses it.
  if (held == lock_outcome::not_taken) return;
  // SQLite follows links to the file, and writes its journal and WAL beside
  // it: a run on a file put in this one's place meets the lock of the folder.
  const boost::filesystem::path real = real_path_of(database);
  folder_.emplace(real.parent_path().empty() ? "." : real.parent_path());
  if (folder_->outcome() == lock_outcome::held_elsewhere) {
    throw database_manager_error(SQLITE_BUSY);
  }
  guarded_ = held == lock_outcome::held || folder_->outcome() == lock_outcome::held;
  // Whatever SQLite writes into a side file with a second name lands in
  // that other file too.
  using side = database_manager_error::database_side;
  if (link_count_of(real.string() + "-journal") > 1) {
    throw database_manager_error::more_than_one_link(side::journal);
  }
  if (link_count_of(real.string() + "-wal") > 1) {
    throw database_manager_error::more_than_one_link(side::wal);
  }
}

void run_lock::ensure_still_named() const {
  if (!file_.is_regular()) return;
  if (!file_.is_named_by(name_) || file_.link_count() != 1) throw database_replaced();
}

}  // namespace rovev
