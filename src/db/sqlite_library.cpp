#include "db/sqlite_library.hpp"

#include <sqlite3.h>

#include <stdexcept>
#include <string>

#include "db/small_block_allocator.hpp"

namespace rovev {
namespace {

void require(int result, const char* part) {
  if (result != SQLITE_OK) {
    throw std::runtime_error(std::string("SQLite refused its setup (") + part +
                             "): " + sqlite3_errstr(result));
  }
}

}  // namespace

sqlite_library::sqlite_library() {
  // The program has one thread, so SQLite's mutexes guard nothing, and the
  // memory statistics it keeps under one of them on every allocation are
  // never read.
  require(sqlite3_config(SQLITE_CONFIG_SINGLETHREAD), "single thread");
  require(sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0), "no memory statistics");
  if (serves_small_blocks()) {
    require(sqlite3_config(SQLITE_CONFIG_MALLOC, &small_block_methods()), "small blocks");
  }
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
