#pragma once

namespace rovev {

// SQLite set up for a one-shot, single-threaded import. Takes effect only
// before the library's first connection is opened; later calls are refused
// and change nothing.
void configure_sqlite_library();

}  // namespace rovev
