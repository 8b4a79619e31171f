// The tests' main sets the process up where the tests depend on it (on
// Windows, paths whose narrow text is UTF-8) and SQLite as the tool's does,
// before any test can touch the library.
#include <gtest/gtest.h>

#include "db/sqlite_library.hpp"
#include "support/platform.hpp"

int main(int argc, char* argv[]) {
  rovev::testing::set_up_test_process();
  const rovev::sqlite_library sqlite;
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
