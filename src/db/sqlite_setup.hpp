#pragma once

struct sqlite3;

namespace rovev {

// SQLite set up for a one-shot, single-threaded import. The library's part
// takes effect only before its first connection is opened (later calls are
// refused and change nothing); the connection's part right after its open.
void configure_sqlite_library();
void configure_sqlite_connection(sqlite3* handle);

}  // namespace rovev
