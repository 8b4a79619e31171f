#include "db/sqlite_setup.hpp"

#include <sqlite3.h>

namespace rovev {

void configure_sqlite_library() {
  // The program has one thread, so SQLite's mutexes guard nothing, and the
  // memory statistics it keeps under one of them on every allocation are
  // never read. A detection import runs 18% fewer instructions so
  // (callgrind, 20,000 records: 1.33 G with SQLite as it comes, 1.09 G).
  sqlite3_config(SQLITE_CONFIG_SINGLETHREAD);
  sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
}

}  // namespace rovev
