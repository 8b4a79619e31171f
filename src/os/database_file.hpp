#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>
#include <memory>

namespace rovev {

// What a path names, links followed: nothing the file system can tell of (a
// missing file, a folder on the way the user cannot enter, a link loop), a
// regular file, or anything else (a folder, a FIFO, a device).
enum class file_kind { unknown, regular, other };
file_kind kind_of(const boost::filesystem::path& file);

// How many names the file has, links followed; 0 when it is not there.
std::uint64_t link_count_of(const boost::filesystem::path& file);

// The path with every link followed: the name SQLite opens a database by,
// beside which it writes its journal. The path itself when that cannot be
// had.
boost::filesystem::path real_path_of(const boost::filesystem::path& file);

// How taking a lock went.
enum class lock_outcome {
  held,            // taken, and held until its owner goes
  held_elsewhere,  // another process holds it
  unsupported,     // the file system takes no such lock
  not_taken,       // not for this file (not open, or open for reading only)
};

// The manager's database file as a run holds it, open from before SQLite
// opens it until after SQLite has closed it.
class database_file {
 public:
  // Opened for writing, or else for reading, as far as it opens; never
  // waiting on what is no regular file.
  explicit database_file(const boost::filesystem::path& path);
  ~database_file();
  database_file(const database_file&) = delete;
  database_file& operator=(const database_file&) = delete;

  bool is_open() const;
  // Whether it opened, and is a regular file.
  bool is_regular() const;
  // How many names it has now.
  std::uint64_t link_count() const;
  // Whether the name, links followed, names this very file now.
  bool is_named_by(const boost::filesystem::path& name) const;

  // The run's lock: exclusive, on the last byte a file can have, which no
  // lock of SQLite's ever meets, and failing at once when another process
  // holds it. It goes with the process, however that ends.
  lock_outcome lock();

 private:
  struct handle;  // the platform's own
  std::unique_ptr<handle> handle_;
};

// An exclusive lock on a folder, failing at once where another process
// holds it; held until its owner goes. No lock of SQLite's is ever taken on
// a folder, so it meets none.
class folder_lock {
 public:
  explicit folder_lock(const boost::filesystem::path& folder);
  ~folder_lock();
  folder_lock(const folder_lock&) = delete;
  folder_lock& operator=(const folder_lock&) = delete;

  lock_outcome outcome() const { return outcome_; }

 private:
  struct handle;  // the platform's own
  std::unique_ptr<handle> handle_;
  lock_outcome outcome_ = lock_outcome::not_taken;
};

}  // namespace rovev
