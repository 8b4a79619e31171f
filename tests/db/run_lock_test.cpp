#include "db/run_lock.hpp"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include "db/database_manager_error.hpp"
#include "support/manager_database.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

// A run holds vg.db until it ends, whatever name another run gives it: the
// other is refused as SQLite refuses a locked file, and one that starts
// after it is not.
TEST(run_lock, refuses_a_second_run_only_while_the_first_holds_it) {
  const testing::temp_folder folder;
  const auto database = folder.path() / "vg.db";
  testing::create_manager_database(database);
  int ready[2];
  int done[2];
  ASSERT_EQ(::pipe(ready), 0);
  ASSERT_EQ(::pipe(done), 0);
  const pid_t first = ::fork();
  if (first == 0) {
    const run_lock held(database.string());
    char byte = 0;
    (void)!::write(ready[1], &byte, 1);
    (void)!::read(done[0], &byte, 1);  // until the test has tried
    ::_exit(0);
  }
  char byte;
  ASSERT_EQ(::read(ready[0], &byte, 1), 1);
  try {
    const run_lock second((folder.path() / "." / "vg.db").string());
    ADD_FAILURE() << "a second run took the lock";
  } catch (const database_manager_error& error) {
    EXPECT_STREQ(error.what(), "The database file is locked");
  }
  (void)!::write(done[1], &byte, 1);
  int status = 0;
  ASSERT_EQ(::waitpid(first, &status, 0), first);
  EXPECT_NO_THROW(run_lock{database.string()});
  for (const int end : {ready[0], ready[1], done[0], done[1]}) ::close(end);
}

}  // namespace
}  // namespace rovev
