/* Preloaded into the tool by a test: sqlite3_open fails as it does when the
   process has no memory left for a connection. */
#include <sqlite3.h>

int sqlite3_open(const char* file, sqlite3** db) {
  (void)file;
  *db = 0;
  return SQLITE_NOMEM;
}
