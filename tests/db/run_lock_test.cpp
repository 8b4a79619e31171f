#include "db/run_lock.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <optional>
#include <string>
#include <vector>

#include "support/base_folder.hpp"

namespace rovev {
namespace {

namespace fs = boost::filesystem;

struct held_case {
  const char* name;
  bool held_by_another_run;
  void (*prepare)(const fs::path& base);  // names given beside vg.db
  const char* what;                       // why the run is refused
};

class held_database : public ::testing::TestWithParam<held_case> {};

// A run is refused before any step, with the database line and nothing
// written, while another run holds vg.db, by whatever name, or while vg.db
// or its journal has a second name; once the other run has ended, it runs.
TEST_P(held_database, refuses_the_run_before_any_step) {
  const testing::base_folder base;
  testing::write_one_of_each(base.path());
  std::optional<run_lock> other_run;
  if (GetParam().held_by_another_run) other_run.emplace(base.database());
  GetParam().prepare(base.path());
  const auto refused = testing::run_tool({"--path", (base / ".").string()});
  EXPECT_EQ(refused.status, 1);
  EXPECT_EQ(refused.out, std::string("    [Error]: データベースエラーのため取り込みを中止しました  "
                                     "(what: ") +
                             GetParam().what + ")\n");
  EXPECT_EQ(base.rows("select count(*) from vg_list"), std::vector<std::string>{"0"});
  if (!GetParam().held_by_another_run) return;
  other_run.reset();
  EXPECT_EQ(base.run().status, 0);
}

INSTANTIATE_TEST_SUITE_P(
    cases, held_database,
    ::testing::Values(held_case{"by_another_run", true, [](const fs::path&) {},
                                "The database file is locked"},
                      held_case{"with_a_second_hard_link", false,
                                [](const fs::path& base) {
                                  fs::create_hard_link(base / "vg.db", base / "copy.db");
                                },
                                "vg.db has more than one hard link"},
                      held_case{"with_a_wal_of_a_second_name", false,
                                [](const fs::path& base) {
                                  testing::write_file(base / "notes.txt", "notes");
                                  fs::create_hard_link(base / "notes.txt", base / "vg.db-wal");
                                },
                                "vg.db-wal has more than one hard link"}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovev
