#include "app/import_driver.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <stdexcept>

#include "base/quoted_path.hpp"
#include "db/database_manager.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "os/disk_files.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"
#include "support/collected_report.hpp"
#include "support/failing_trigger.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
namespace fs = boost::filesystem;

TEST(import_driver, a_folder_with_only_the_database_runs_every_step) {
  const base_folder base;
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  const std::string cannot_read = "    [Error]: ファイル読み込みに失敗しました: ";
  const auto no_folder = [&base](const char* name) {
    return "    [Error]: ファイルシステムエラーです  (what: boost::filesystem::directory_iterator::"
           "construct: No such file or directory: " +
           base.quoted(name) + ")";
  };
  const std::string no_history = "0個のファイルが見つかり、0件の履歴を取り込みました。";
  EXPECT_EQ(
      testing::lines_of(result.out),
      (Lines{"登録済みVellgard2 一覧の取り込みを開始します: " + base.quoted("vellgard.list"),
             cannot_read + base.quoted("vellgard.list"),
             "ユーザ一覧の取り込みを開始します: " + base.quoted("manager.user"),
             cannot_read + base.quoted("manager.user"),
             "グループ一覧の取り込みを開始します: " + base.quoted("vellgard.group"),
             cannot_read + base.quoted("vellgard.group"),
             "登録済みPCの取り込みを開始します  (dir: " + quoted(base.path()) + ")",
             "登録済みPCの取り込みが完了しました。0個のファイルを取り込み、0件のPCを登録しました。",
             "検知履歴の取り込みを開始しました: " + base.quoted("hist"), no_folder("hist"),
             "検知履歴の取り込みが完了しました。" + no_history,
             "移動履歴の取り込みを開始しました: " + base.quoted("hostmove"), no_folder("hostmove"),
             "移動履歴の取り込みが完了しました。" + no_history}));
}

struct stop_case {
  const char* name;
  const char* file;  // the input, in the base folder
  std::string bytes;
  const char* table;      // whose insert fails with an I/O error; null: the step cannot begin
  const char* condition;  // which insert that is
  const char* what;       // the failure the run stops with
};

class stopping_step : public ::testing::TestWithParam<stop_case> {};

// Both kinds of database failure stop the run where any step kind meets
// them: SQLite ending the step's transaction (none of the step's rows stays)
// and a step that cannot begin its transaction. No later step runs.
TEST_P(stopping_step, stops_the_run_with_the_database_line) {
  const base_folder base;
  testing::write_file(base / GetParam().file, GetParam().bytes);
  const testing::io_error_function io_error_function;
  if (GetParam().table != nullptr) {
    testing::fail_inserts(base.database(), GetParam().table, GetParam().condition);
  }
  database_manager db;
  db.open(base.database().string());
  std::optional<transaction_scope> held;  // so that the first step's BEGIN fails
  if (GetParam().table == nullptr) held.emplace(db);
  appliance_id_map appliance_ids;
  disk_files files;
  testing::collected_report out;
  EXPECT_EQ(run_import_steps({db, files, out, appliance_ids}, base.path()), 1);
  EXPECT_EQ(out.out.back(),
            std::string("    [Error]: データベースエラーのため取り込みを中止しました  (what: ") +
                GetParam().what + ")");
  held.reset();
  for (const char* table :
       {"vg_list", "groups", "allow_list", "host_flag", "detection_log", "hostmove"}) {
    EXPECT_EQ(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
}

const char* const io_error = "Some kind of disk I/O error occurred";
const std::string pcs = [] {
  std::string records;
  for (std::uint8_t n = 1; n <= 3; ++n) {
    sample::host_fields pc;
    pc.lladdr[5] = n;
    records += sample::encode_host_record(pc);
  }
  return records;
}();
const std::string detection = sample::encode_detection_record(
    {"", "", "h", "w", "2014-08-01 08:30:00", "2014-08-01 08:31:10"});
const std::string movement =
    sample::encode_movement_record({"", "n", "", "h", "w", "1", "2", "2014-08-02 10:00:00"});

INSTANTIATE_TEST_SUITE_P(
    kinds, stopping_step,
    ::testing::Values(stop_case{"appliance_list", "vellgard.list",
                                "a,10.0.0.1,1,,,\nb,10.0.0.2,2,,,\n", "vg_list", "new.id = 2",
                                io_error},
                      stop_case{"group", "vellgard.group", "1,g1,1,2/3,\n", "user_groups",
                                "new.user_id = 13", io_error},
                      stop_case{"registered_pc_file", "host_1.db", pcs, "allow_list",
                                "new.lladdr = '00:00:00:00:00:02'", io_error},
                      stop_case{"detection_history", "hist/host_1.hist", detection + detection,
                                "detection_log", "new.id = 2", io_error},
                      stop_case{"movement_history", "hostmove/hostmove.hist", movement + movement,
                                "hostmove", "new.id = 2", io_error},
                      stop_case{"a_step_that_cannot_begin", "vellgard.list", "a,10.0.0.1,1,,,\n",
                                nullptr, nullptr, "SQL error or missing database"}),
    [](const auto& info) { return std::string(info.param.name); });

// A step whose per-record catch swallows everything, SQLite's ending its
// transaction included, still ends with that loss, whether it ends its scope
// (which throws it) or steps around the end: the run stops with the database
// line, none of the step's rows is left, and no later step runs.
template <bool ended>
step_result write_users_swallowing_failures(const import_context& context, const fs::path&) {
  transaction_scope scope(context.db);
  for (std::int32_t id = 11; id <= 13; ++id) {
    try {
      context.db.add_user({id, "u", "", ""});
    } catch (...) {
    }
  }
  if (!ended) return {};
  return {end_and_report(scope, context.out)};
}

class lost_transaction : public ::testing::TestWithParam<bool> {};

TEST_P(lost_transaction, stops_the_run_however_the_step_ends) {
  const base_folder base;
  const testing::io_error_function io_error_function;
  testing::fail_inserts(base.database(), "users", "new.id = 12");
  database_manager db;
  db.open(base.database().string());
  appliance_id_map appliance_ids;
  disk_files files;
  testing::collected_report out;
  const auto swallowing =
      GetParam() ? write_users_swallowing_failures<true> : write_users_swallowing_failures<false>;
  const auto later = [](const import_context& context, const fs::path&) {
    context.db.add_user({20, "later", "", ""});
    return step_result{};
  };
  EXPECT_EQ(run_import_steps({db, files, out, appliance_ids}, base.path(),
                             {{swallowing, nullptr}, {later, nullptr}}),
            1);
  EXPECT_EQ(out.out, Lines{"    [Error]: データベースエラーのため取り込みを中止しました  (what: "
                           "Some kind of disk I/O error occurred)"});
  EXPECT_EQ(base.rows("select count(*) from users where id > 1"), Lines{"0"});
}

INSTANTIATE_TEST_SUITE_P(steps, lost_transaction, ::testing::Bool(), [](const auto& info) {
  return std::string(info.param ? "ending_its_scope" : "stepping_around_its_end");
});

// A report whose first line fails, as no console does: whatever escapes a
// step that is not a database error stops the run with its own line.
class report_failing_once : public testing::collected_report {
 public:
  void write(channel where, std::string_view bytes) override {
    if (!failed_) {
      failed_ = true;
      throw std::runtime_error("report failed");
    }
    collected_report::write(where, bytes);
  }

 private:
  bool failed_ = false;
};

TEST(import_driver, any_other_error_that_escapes_a_step_stops_the_run) {
  const base_folder base;
  base.write_list("vellgard.list", {"a,10.0.0.1,1,,,"});
  base.write_list("manager.user", {"1,u,h,x,d"});
  database_manager db;
  db.open(base.database().string());
  appliance_id_map appliance_ids;
  report_failing_once out;
  disk_files files;
  EXPECT_EQ(run_import_steps({db, files, out, appliance_ids}, base.path()), 1);
  EXPECT_EQ(out.out, Lines{"    [Error]: 予期しないエラーのため取り込みを中止しました  (what: "
                           "report failed)"});
  EXPECT_EQ(base.rows("select count(*) from vg_list"), Lines{"0"});
  EXPECT_EQ(base.rows("select count(*) from users"), Lines{"1"});
}

// What the appliance list puts into the map is what the PC files find: the
// later of two lines wins, a line whose row is refused still counts, and an
// empty network address is the key 0.0.0.0.
TEST(import_driver, the_appliance_list_gives_the_pcs_their_appliance) {
  const base_folder base;
  base.write_list("vellgard.list", {"a,10.0.0.1,5,,192.168.1.0,", "b,10.0.0.2,6,,192.168.1.0,",
                                    "c,10.0.0.3,6,,192.168.2.0,", "d,10.0.0.4,9,,,"});
  std::string pcs;
  const char* netaddrs[] = {"192.168.1.0", "192.168.2.0", "0.0.0.0", "10.9.9.0"};
  for (std::uint8_t n = 0; n < 4; ++n) {
    sample::host_fields pc;
    pc.lladdr[5] = n;
    pc.netaddr = netaddrs[n];
    pcs += sample::encode_host_record(pc);
  }
  testing::write_file(base / "host_1.db", pcs);
  EXPECT_EQ(base.run().status, 0);
  EXPECT_EQ(base.rows("select id from vg_list order by id"), (Lines{"5", "6", "9"}));
  EXPECT_EQ(base.rows("select org_vg_list_id from allow_list order by lladdr"),
            (Lines{"6", "6", "9", "0"}));
}

// A reader on vg.db keeps every write from being committed: each loss is
// reported, the run goes on, and the status says it failed.
TEST(import_driver, commits_that_fail_are_reported_and_fail_the_run) {
  const base_folder base;
  base.write_list("vellgard.list", {"a,10.0.0.1,1,,,"});
  base.write_list("manager.user", {"1,u,h,x,d"});
  base.write_list("vellgard.group", {"1,g,1,,"});
  sample::host_fields pc;
  testing::write_file(base / "host_1.db", sample::encode_host_record(pc));
  testing::write_file(base / "hist" / "host_1.hist",
                      sample::encode_detection_record(
                          {"", "", "h", "w", "2014-08-01 08:30:00", "2014-08-01 08:30:00"}));
  testing::other_connection reader(base.database());
  reader.exec("BEGIN; SELECT count(*) FROM users;");
  const auto result = base.run();
  reader.exec("COMMIT;");
  EXPECT_EQ(result.status, 1);
  const std::string locked = "The database file is locked";
  const std::string lost = "    [Error]: コミットに失敗しました  (what: " + locked + ")";
  const auto lines = testing::lines_of(result.out);
  ASSERT_EQ(lines.size(), 18u) << result.out;
  EXPECT_EQ(lines[2], lost);
  EXPECT_EQ(lines[4],
            "    [Error]: 1行目でエラーが発生しました  (Message: DBへの格納に失敗しました  what: " +
                locked + ")");
  EXPECT_EQ(lines[7],
            "    [Error]: 1行目でエラーが発生しました  (Message: DBへの格納に失敗しました  what: " +
                locked + ")");
  EXPECT_EQ(lines[10], lost);
  EXPECT_EQ(lines[11],
            "登録済みPCの取り込みが完了しました。1個のファイルを取り込み、1件のPCを登録しました。");
  EXPECT_EQ(lines[14], lost);
  for (const char* table : {"vg_list", "groups", "allow_list", "detection_log"}) {
    EXPECT_EQ(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
}

// A group is its own transaction: one that cannot commit is that group's
// failure, reported with its line, and the run itself has not failed.
TEST(import_driver, a_group_that_cannot_commit_is_reported_and_the_run_succeeds) {
  const base_folder base;
  base.write_list("vellgard.group", {"1,g1,1,,", "2,g2,2,,"});
  testing::other_connection reader(base.database());
  reader.exec("BEGIN; SELECT count(*) FROM groups;");
  const auto result = base.run();
  reader.exec("COMMIT;");
  EXPECT_EQ(result.status, 0);
  const std::string locked = "DBへの格納に失敗しました  what: The database file is locked)";
  EXPECT_EQ(testing::step_lines(result.out, "グループ一覧の取り込みを開始します: "),
            (Lines{"グループ一覧の取り込みを開始します: " + base.quoted("vellgard.group"),
                   "    [Error]: 1行目でエラーが発生しました  (Message: " + locked,
                   "    [Error]: 2行目でエラーが発生しました  (Message: " + locked,
                   "グループ一覧の取り込みが完了しました。0件取り込みました。"}));
  EXPECT_EQ(base.rows("select count(*) from groups"), Lines{"0"});
}

}  // namespace
}  // namespace rovev
