#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>
#include <memory>

namespace rovev {

// Whether the file system can tell anything of the path, links followed: it
// cannot for a missing file, a folder on the way the user cannot enter, a
// link loop.
bool can_be_found(const boost::filesystem::path& file);

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

  // Whether it opened, and is a regular file.
  bool is_regular() const;
  // How many names it has.
  std::uint64_t link_count() const;

  enum class lock_outcome { held, held_elsewhere, not_taken };
  // The run's lock: exclusive, on the last byte a file can have, which no
  // lock of SQLite's ever meets, and failing at once when another process
  // holds it. It goes with the process, however that ends. not_taken: the
  // file or its file system takes no such lock.
  lock_outcome lock();

 private:
  struct handle;  // the platform's own
  std::unique_ptr<handle> handle_;
};

}  // namespace rovev
