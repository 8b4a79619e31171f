#pragma once

#include <boost/filesystem/path.hpp>
#include <optional>

#include "os/database_file.hpp"

namespace rovev {

// Holds vg.db for one run of the tool, so that a second run on the same file,
// by whatever path it names it, or on a file put in its place meanwhile, is
// refused before it reads or locks anything; and refuses a vg.db that has a
// second name, or whose journal has. Made before the connection is opened,
// and let go only after it is closed.
class run_lock {
 public:
  // Throws database_manager_error: "The database file is locked" (SQLite's
  // busy result) while another run holds the file or its folder,
  // more_than_one_link for a file, or a journal beside it, with a second
  // hard link. A file that cannot be opened for writing (missing,
  // read-only) is not held: opening it is left to SQLite, which tells what
  // is wrong with it.
  explicit run_lock(const boost::filesystem::path& database);

  // Whether the name is something other than a regular file, which is no
  // database.
  bool names_no_regular_file() const { return no_regular_file_; }
  // False when the file system took neither lock: nothing keeps a second
  // run out.
  bool guarded() const { return guarded_; }

  // Throws database_replaced unless the name still holds the file that is
  // held, and the file has that one name: SQLite writes its journal beside
  // the name, so a file put in its place would get another's.
  void ensure_still_named() const;

 private:
  boost::filesystem::path name_;
  // Closing any descriptor of a file drops every POSIX record lock the
  // process holds on it, SQLite's included: so this one is closed only after
  // the connection is, which its owner sees to by making the lock first.
  database_file file_;
  std::optional<folder_lock> folder_;
  bool no_regular_file_ = false;
  bool guarded_ = true;
};

}  // namespace rovev
