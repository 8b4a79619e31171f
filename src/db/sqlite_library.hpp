#pragma once

namespace rovev {

// SQLite set up for a one-shot, single-threaded import: no mutexes, no memory
// statistics and, unless the build turns it off, the small-block allocator.
// SQLite takes a setup only before it is first initialised (by the first
// connection opened, where a lack of memory shows as the database failure
// it is), so one of these is made first thing in a process, before anything
// else touches SQLite; it shuts the library down when it goes.
class sqlite_library {
 public:
  // Each setting is asked for on its own; one that SQLite refuses (a
  // library built without threads, or initialised already by something
  // loaded before the tool) costs speed, never the run.
  sqlite_library();
  ~sqlite_library();
  sqlite_library(const sqlite_library&) = delete;
  sqlite_library& operator=(const sqlite_library&) = delete;

  // Whether this build serves SQLite's small blocks from its own free lists.
  static bool serves_small_blocks();
};

}  // namespace rovev
