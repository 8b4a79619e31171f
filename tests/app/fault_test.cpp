// The whole tool against an unhealthy database, awkward folders and a mix of
// good and bad input: every failure reported, nothing lost, no crash.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <set>

#include "record_encoding.hpp"
#include "support/base_folder.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::lines_of;
using testing::write_file;
namespace fs = boost::filesystem;

// One good line or record for every step.
void write_one_of_each(const fs::path& base) {
  const auto cp932 = [](const std::string& line) { return sample::to_cp932(line) + "\r\n"; };
  write_file(base / "vellgard.list", cp932("本社,10.0.0.1,1,,10.0.0.0,"));
  write_file(base / "manager.user", cp932("5,user5,h,-,利用者"));
  write_file(base / "vellgard.group", cp932("1,営業部,1,5,"));
  sample::host_fields pc;
  pc.name = "pc";
  write_file(base / "host_1.db", sample::encode_host_record(pc));
  write_file(base / "hist" / "host_1.hist",
             sample::encode_detection_record(
                 {"", "", "h", "w", "2014-08-01 08:30:00", "2014-08-01 08:31:10"}));
  write_file(
      base / "hostmove" / "hostmove.hist",
      sample::encode_movement_record({"", "n", "", "h", "w", "1", "2", "2014-08-02 10:00:00"}));
}

std::size_t count_lines_with(const std::string& out, const std::string& text) {
  std::size_t count = 0;
  for (const std::string& line : lines_of(out)) count += line.find(text) != std::string::npos;
  return count;
}

const char* const tables[] = {"vg_list",   "groups",     "user_groups",   "group_vg_list",
                              "host_flag", "allow_list", "detection_log", "hostmove"};

TEST(faults, a_writer_holding_the_database_fails_every_write_with_a_line) {
  const base_folder base;
  write_one_of_each(base.path());
  testing::other_connection writer(base.database());
  writer.exec("BEGIN IMMEDIATE; UPDATE users SET description = 'busy' WHERE id = 1;");
  const auto result = base.run();
  writer.exec("ROLLBACK;");
  EXPECT_EQ(result.status, 0);  // nothing was written, so nothing failed to commit
  // One line per list line, the PC, the detection and the movement record.
  EXPECT_EQ(count_lines_with(result.out, "The database file is locked"), 6u) << result.out;
  for (const char* table : tables) {
    EXPECT_EQ(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
  EXPECT_EQ(base.rows("select count(*) from users"), Lines{"1"});
}

struct broken_database_case {
  const char* name;
  std::function<void(const base_folder&)> break_it;
  const char* message;  // in every failed write's line
  std::size_t failures;
};

class broken_database : public ::testing::TestWithParam<broken_database_case> {};

TEST_P(broken_database, every_write_is_reported_and_the_run_completes) {
  const base_folder base;
  write_one_of_each(base.path());
  GetParam().break_it(base);
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, GetParam().message), GetParam().failures) << result.out;
  EXPECT_EQ(count_lines_with(result.out, "の取り込みが完了しました"), 6u) << result.out;
}

INSTANTIATE_TEST_SUITE_P(
    cases, broken_database,
    ::testing::Values(
        broken_database_case{"empty_file",
                             [](const base_folder& base) { write_file(base.database(), ""); },
                             "SQL error or missing database", 6},
        broken_database_case{
            "not_a_database",
            [](const base_folder& base) { write_file(base.database(), std::string(4096, 'x')); },
            "File opened that is not a database file", 6},
        broken_database_case{
            "missing_table",
            [](const base_folder& base) {
              testing::other_connection(base.database()).exec("drop table detection_log;");
            },
            "SQL error or missing database", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(faults, awkward_folder_names_import_and_print_as_they_are) {
  const base_folder base_parent;
  const fs::path folder = base_parent / "基地 \"A\" & B";
  fs::create_directory(folder);
  testing::create_manager_database(folder / "vg.db");
  write_one_of_each(folder);
  const auto result = testing::run_tool({"--path", folder.string()});
  EXPECT_EQ(result.status, 0);
  const std::string quoted = "\"" + base_parent.path().string() + "/基地 &\"A&\" && B";
  EXPECT_EQ(lines_of(result.out).front(),
            "登録済みVellgard2 一覧の取り込みを開始します: " + quoted + "/vellgard.list\"");
  EXPECT_EQ(count_lines_with(result.out, "[Error]"), 0u) << result.out;
  for (const char* table : tables) {
    EXPECT_NE(testing::query(folder / "vg.db", std::string("select count(*) from ") + table),
              Lines{"0"})
        << table;
  }
}

TEST(faults, folders_named_like_input_files_are_passed_over) {
  const base_folder base;
  fs::create_directories(base / "host_3.db");
  fs::create_directories(base / "hist" / "host_1.hist");
  fs::create_directories(base / "hostmove" / "hostmove.hist");
  const auto out = base.run().out;
  EXPECT_EQ(count_lines_with(out, "0個のファイルを取り込み"), 1u);
  EXPECT_EQ(count_lines_with(out, "0個のファイルが見つかり"), 2u);
  EXPECT_EQ(count_lines_with(out, "ファイルシステムエラー"), 0u) << out;
}

TEST(faults, a_list_line_of_megabytes_is_one_line) {
  const base_folder base;
  base.write_list("manager.user",
                  {"1,u1,h,-,d", "2,u2," + std::string(3 << 20, 'h') + ",-,d", "3,u3,h,-,d"});
  const auto out = base.run().out;
  EXPECT_EQ(count_lines_with(out, "ユーザ一覧の取り込みが完了しました。3件取り込みました。"), 1u);
  EXPECT_EQ(base.rows("select id,length(hash_password) from users where id > 1 order by id"),
            (Lines{"11|1", "12|3145728", "13|1"}));
}

// A folder with good and bad input interleaved: afterwards the database holds
// exactly the good lines and records, each once, with the values written.
TEST(faults, nothing_good_is_lost_and_nothing_bad_is_stored) {
  const base_folder base;
  constexpr int count = 300;
  std::string hist[3];
  std::set<std::string> expected_hosts;
  // Records n, n + 3, ... go to file n % 3. Every 7th has an impossible date;
  // every 50th has a damaged marker, which costs the next record of its file.
  for (int f = 0; f < 3; ++f) {
    bool after_damage = false;
    for (int n = f; n < count; n += 3) {
      const std::string host = "host" + std::to_string(n);
      sample::detection_fields seen{"00:00:00:00:00:01",   "10.0.0.1",           host, "wg",
                                    "2014-08-01 08:30:00", "2014-08-01 08:31:10"};
      const bool bad = n % 7 == 3;
      if (bad) seen.detect_time = "2014-02-30 00:00:00";
      std::string record = sample::encode_detection_record(seen);
      const bool damaged = n % 50 == 10;
      if (damaged) record[170] = '?';
      hist[f] += record;
      if (!bad && !damaged && !after_damage) expected_hosts.insert(host);
      after_damage = damaged;
    }
  }

  // Every 11th movement record has a source that is no number.
  std::string moves;
  std::set<std::string> expected_moves;
  for (int n = 0; n < count; ++n) {
    const sample::movement_fields move{
        "00:00:00:00:00:02",     "pc" + std::to_string(n), "10.0.0.2",           "h", "w",
        n % 11 == 5 ? "x" : "1", std::to_string(n),        "2014-08-02 10:00:00"};
    moves += sample::encode_movement_record(move);
    if (n % 11 != 5) expected_moves.insert(move.name);
  }
  for (int f = 0; f < 3; ++f)
    write_file(base / "hist" / ("host_" + std::to_string(f + 1) + ".hist"), hist[f]);
  write_file(base / "hostmove" / "hostmove.hist", moves);

  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  const auto hosts = base.rows("select hostname from detection_log");
  EXPECT_EQ(std::set<std::string>(hosts.begin(), hosts.end()), expected_hosts);
  EXPECT_EQ(hosts.size(), expected_hosts.size());
  const auto names = base.rows("select name from hostmove");
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()), expected_moves);
  EXPECT_EQ(names.size(), expected_moves.size());
  EXPECT_EQ(base.rows("select distinct vg_list_id||'|'||lladdr||'|'||ipaddr||'|'||workgroup||'|'||"
                      "detect_time||'|'||confirmed_time||'|'||regist_flag from detection_log "
                      "order by 1"),
            (Lines{"1|00:00:00:00:00:01|10.0.0.1|wg|2014-08-01 08:30:00|2014-08-01 08:31:10|0",
                   "2|00:00:00:00:00:01|10.0.0.1|wg|2014-08-01 08:30:00|2014-08-01 08:31:10|0",
                   "3|00:00:00:00:00:01|10.0.0.1|wg|2014-08-01 08:30:00|2014-08-01 08:31:10|0"}));
}

}  // namespace
}  // namespace rovev
