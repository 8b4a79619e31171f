// vg.db replaced under a run, as only a POSIX system lets it be while it is
// open.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <functional>
#include <string>

#include "db/database_manager.hpp"
#include "db/database_manager_error.hpp"
#include "db/database_replaced.hpp"
#include "db/run_lock.hpp"
#include "db/transaction_scope.hpp"
#include "support/manager_database.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

namespace fs = boost::filesystem;

struct replaced_case {
  const char* name;
  bool opened;  // whether SQLite has opened vg.db before it is replaced
  // What is done to vg.db: another database moved into its name, or a second
  // name given to it.
  void (*replace)(const fs::path& folder);
  const char* second_run;  // why a second run on the name is refused
  const char* users;       // the rows of users that vg.db names at the end
};

void move_other_in(const fs::path& folder) { fs::rename(folder / "other.db", folder / "vg.db"); }

class replaced_file : public ::testing::TestWithParam<replaced_case> {};

// A vg.db put in the held one's place, before SQLite opens it or while the
// run goes on, stops the run before SQLite reads it or begins a transaction
// on it; a second run on the new file meets the folder's lock; the file moved
// in is left as it was.
TEST_P(replaced_file, stops_the_run_and_keeps_a_second_one_out) {
  const testing::temp_folder folder;
  const fs::path database = folder.path() / "vg.db";
  testing::create_manager_database(database);
  testing::create_manager_database(folder.path() / "other.db");
  testing::other_connection(folder.path() / "other.db")
      .exec("insert into users(id, login_user_name) values(5, 'o')");
  const run_lock held(database);
  database_manager db;
  const auto stopped = [](const std::function<void()>& step) {
    try {
      step();
    } catch (const database_replaced& error) {
      return std::string(error.what());
    }
    return std::string("not stopped");
  };
  if (GetParam().opened) db.open(database.string(), &held);
  GetParam().replace(folder.path());
  const std::string replaced = "vg.db was replaced while it was opened";
  if (GetParam().opened) {
    EXPECT_EQ(stopped([&] { transaction_scope scope(db); }), replaced);
    EXPECT_EQ(stopped([&] { db.store_group({"g", {}, {}}); }), replaced);
  } else {
    EXPECT_EQ(stopped([&] { db.open(database.string(), &held); }), replaced);
    EXPECT_FALSE(db.is_open());
  }
  try {
    const run_lock second(database);
    ADD_FAILURE() << "a second run took the file";
  } catch (const database_manager_error& error) {
    EXPECT_STREQ(error.what(), GetParam().second_run);
  }
  db.close();
  EXPECT_EQ(testing::query(database, "select count(*) from users"),
            std::vector<std::string>{GetParam().users});
  EXPECT_FALSE(fs::exists(folder.path() / "vg.db-journal"));
}

INSTANTIATE_TEST_SUITE_P(
    cases, replaced_file,
    ::testing::Values(replaced_case{"moved_in_before_sqlite_opens", false, move_other_in,
                                    "The database file is locked", "2"},
                      replaced_case{"moved_in_while_it_runs", true, move_other_in,
                                    "The database file is locked", "2"},
                      replaced_case{"given_a_second_name", true,
                                    [](const fs::path& folder) {
                                      fs::create_hard_link(folder / "vg.db", folder / "copy.db");
                                    },
                                    "vg.db has more than one hard link", "1"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovev
