#include "db/sqlite_library.hpp"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include "db/small_block_allocator.hpp"

namespace rovev {
namespace {

// The set-up the tool's main makes (the tests' main makes the same) is in
// effect: SQLite takes no other, its connections have no mutex, and its
// small blocks come from the free lists.
TEST(sqlite_library, is_in_effect_once_set_up) {
  const std::uint64_t served_before = small_blocks_served();
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
  EXPECT_EQ(sqlite3_config(SQLITE_CONFIG_SINGLETHREAD), SQLITE_MISUSE);
  EXPECT_EQ(sqlite3_db_mutex(db), nullptr);  // serialized, SQLite's default, has one
  EXPECT_EQ(sqlite3_exec(db, "create table t(a); insert into t values('row');", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  sqlite3_close(db);
  EXPECT_EQ(small_blocks_served() > served_before, sqlite_library::serves_small_blocks());
}

}  // namespace
}  // namespace rovev
