#include "db/sqlite_library.hpp"

#include <sqlite3.h>

#include "db/small_block_allocator.hpp"

namespace rovev {

sqlite_library::sqlite_library() {
  // The program has one thread, so SQLite's mutexes guard nothing, and the
  // memory statistics it keeps under one of them on every allocation are
  // never read. The results are not needed: a setting refused leaves
  // SQLite's default, which works as well.
  sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
  if (serves_small_blocks()) sqlite3_config(SQLITE_CONFIG_MALLOC, &small_block_methods());
}

sqlite_library::~sqlite_library() { sqlite3_shutdown(); }

bool sqlite_library::serves_small_blocks() {
#ifdef ZOV_SMALL_BLOCKS
  return true;
#else
  return false;
#endif
}

}  // namespace rovev
