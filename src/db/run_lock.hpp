#pragma once

#include <boost/filesystem/path.hpp>

#include "os/database_file.hpp"

namespace rovev {

// Holds vg.db for one run of the tool, so that a second run on the same file,
// by whatever path it names it, is refused before it reads or locks
// anything; and refuses a vg.db that has a second name. Made before the
// connection is opened, and let go only after it is closed.
class run_lock {
 public:
  // Throws database_manager_error: "The database file is locked" (SQLite's
  // busy result) while another run holds the file, more_than_one_link for a
  // file with a second hard link. A file that cannot be opened for writing
  // (missing, read-only, no regular file) is not held: opening it is left
  // to SQLite, which tells what is wrong with it.
  explicit run_lock(const boost::filesystem::path& database);

 private:
  // Closing any descriptor of a file drops every POSIX record lock the
  // process holds on it, SQLite's included: so this one is closed only after
  // the connection is, which its owner sees to by making the lock first.
  database_file file_;
};

}  // namespace rovev
