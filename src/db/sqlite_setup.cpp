#include "db/sqlite_setup.hpp"

#include <sqlite3.h>

#include "db/small_block_allocator.hpp"

namespace rovev {

void configure_sqlite_library() {
  // The program has one thread, so SQLite's mutexes guard nothing, and the
  // memory statistics it keeps under one of them on every allocation are
  // never read.
  sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
#ifdef ZOV_SMALL_BLOCKS
  sqlite3_config(SQLITE_CONFIG_MALLOC, &small_block_methods());
#endif
}

}  // namespace rovev
