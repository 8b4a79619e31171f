// The whole tool against an unhealthy database, awkward folders and a mix of
// good and bad input: every failure reported, nothing lost, no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <boost/filesystem/operations.hpp>
#include <cstring>
#include <set>

#include "base/quoted_path.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::lines_of;
using testing::write_file;
namespace fs = boost::filesystem;

using testing::count_lines_with;
using testing::write_one_of_each;
const auto& tables = testing::filled_tables;

const std::string cannot_read = "    [Error]: ファイル読み込みに失敗しました: ";

// The lines of one step, from its start line up to and including its finish.
Lines step(const std::string& out, const std::string& start_text) {
  return testing::step_lines(out, start_text);
}

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

// The tool on a disk with room for about a megabyte of database.
testing::tool_result run_on_a_small_disk(const base_folder& base) {
  testing::tool_options options;
  options.file_size_limit = 1 << 20;
  const auto result = testing::run_tool({"--path", base.path().string()}, options);
  // What SQLite could not undo under the limit, the next writer rolls back.
  testing::other_connection(base.database()).exec("select count(*) from vg_list;");
  return result;
}

const std::string stopped_by_disk =
    "    [Error]: データベースエラーのため取り込みを中止しました  (what: Some kind of disk I/O "
    "error occurred)";

// SQLite rolls a transaction back on its own when a write fails for a full
// disk: the step stops there, nothing it wrote stays, later steps do not run.
TEST(faults, a_transaction_that_sqlite_ended_stops_the_run) {
  const base_folder base;
  base.write_list("vellgard.list", {"gate,10.0.0.1,1,,10.0.0.0,"});
  // More rows than SQLite's page cache holds, so that it writes to the file
  // before the COMMIT.
  std::string records;
  for (int n = 0; n < 100000; ++n) {
    const std::string name = std::to_string(n) + std::string(16, 'h');
    records += sample::encode_detection_record({"00:00:00:00:00:01", "10.0.0.1", name, name,
                                                "2014-08-01 08:30:00", "2014-08-01 08:31:10"});
  }
  write_file(base / "hist" / "host_1.hist", records);
  write_one_of_each(base / "unused");  // a hostmove folder elsewhere
  fs::rename(base / "unused" / "hostmove", base / "hostmove");
  const auto result = run_on_a_small_disk(base);
  EXPECT_EQ(result.status, 1);
  ASSERT_FALSE(result.out.empty());
  EXPECT_EQ(lines_of(result.out).back(), stopped_by_disk);
  EXPECT_EQ(count_lines_with(result.out, "移動履歴"), 0u);
  EXPECT_EQ(base.rows("select count(*) from vg_list"), Lines{"1"});
  EXPECT_EQ(base.rows("select count(*) from detection_log"), Lines{"0"});
  EXPECT_EQ(base.rows("pragma integrity_check"), Lines{"ok"});
}

struct output_case {
  const char* name;
  testing::tool_options::output out;
  int status;
};

class unwritable_output : public ::testing::TestWithParam<output_case> {};

// Whatever becomes of standard output, every step runs to its end; the
// status says whether every line got out.
TEST_P(unwritable_output, never_stops_the_import) {
  const base_folder base;
  write_one_of_each(base.path());
  testing::tool_options options;
  options.out = GetParam().out;
  if (options.out == testing::tool_options::output::full_log) options.file_size_limit = 4 << 20;
  const auto result = testing::run_tool({"--path", base.path().string()}, options);
  EXPECT_EQ(result.status, GetParam().status);
  for (const char* table : tables) {
    EXPECT_NE(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
  EXPECT_EQ(base.rows("select count(*) from users"), Lines{"2"});
}

INSTANTIATE_TEST_SUITE_P(
    outputs, unwritable_output,
    ::testing::Values(output_case{"null_device", testing::tool_options::output::null_device, 0},
                      output_case{"full_device", testing::tool_options::output::full_device, 1},
                      output_case{"closed", testing::tool_options::output::closed, 1},
                      output_case{"broken_pipe", testing::tool_options::output::broken_pipe, 1},
                      // A log at the file-size limit: SIGXFSZ does not end the tool.
                      output_case{"log_at_the_size_limit", testing::tool_options::output::full_log,
                                  1}),
    [](const auto& info) { return std::string(info.param.name); });

// FIFOs and devices where inputs belong are refused unopened and unread: the
// run ends, each is reported once, and the good inputs are imported.
TEST(faults, special_files_never_block_or_spin) {
  const base_folder base;
  write_one_of_each(base.path());
  for (const char* name : {"manager.user", "vellgard.list", "vellgard.group"}) {
    fs::remove(base / name);
    ASSERT_EQ(::mkfifo((base / name).c_str(), 0600), 0);
  }
  ASSERT_EQ(::mkfifo((base / "hist" / "host_2.hist").c_str(), 0600), 0);
  fs::create_symlink("/dev/zero", base / "hist" / "host_3.hist");
  fs::create_directories(base / "hostmove" / "fifo");
  ASSERT_EQ(::mkfifo((base / "hostmove" / "fifo" / "hostmove.hist").c_str(), 0600), 0);
  testing::tool_options options;
  options.timeout_seconds = 30;
  const auto result = testing::run_tool({"--path", base.path().string()}, options);
  EXPECT_EQ(result.status, 0);
  for (const char* name : {"vellgard.list", "manager.user", "vellgard.group"}) {
    EXPECT_EQ(count_lines_with(result.out, cannot_read + base.quoted(name)), 1u) << name;
  }
  for (const fs::path& file : {base / "hist" / "host_2.hist", base / "hist" / "host_3.hist",
                               base / "hostmove" / "fifo" / "hostmove.hist"}) {
    EXPECT_EQ(count_lines_with(result.out, cannot_read + quoted(file)), 1u) << file;
  }
  EXPECT_EQ(count_lines_with(result.out, "3個のファイルが見つかり、1件の履歴"), 1u) << result.out;
  EXPECT_EQ(count_lines_with(result.out, "2個のファイルが見つかり、1件の履歴"), 1u) << result.out;
  EXPECT_EQ(base.rows("select count(*) from detection_log"), Lines{"1"});
  EXPECT_EQ(base.rows("select count(*) from hostmove"), Lines{"1"});
}

// Registered PC files are told by their names first: a stray entry cannot
// end the listing, and an accepted name that is no regular file is reported.
TEST(faults, stray_entries_do_not_end_the_registered_pcs) {
  const base_folder base;
  sample::host_fields pc;
  write_file(base / "host.db", sample::encode_host_record(pc));
  pc.lladdr[5] = 1;
  write_file(base / "host_1.db", sample::encode_host_record(pc));
  fs::create_symlink(base / "gone", base / "backup.db");
  ASSERT_EQ(::mkfifo((base / "other.db").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((base / "host_2.db").c_str(), 0600), 0);
  fs::create_symlink(base / "gone", base / "host_3.db");
  fs::create_directory(base / "host_4.db");
  const auto result = base.run();
  Lines lines = step(result.out, "登録済みPCの取り込みを開始します");
  ASSERT_EQ(lines.size(), 4u) << result.out;
  std::sort(lines.begin() + 1, lines.end() - 1);
  EXPECT_EQ(
      Lines(lines.begin() + 1, lines.end() - 1),
      (Lines{cannot_read + base.quoted("host_2.db"), cannot_read + base.quoted("host_3.db")}));
  EXPECT_EQ(lines.back(),
            "登録済みPCの取り込みが完了しました。2個のファイルを取り込み、2件のPCを登録しました。");
}

struct list_bound_case {
  const char* name;
  const char* file;
  const char* before;  // the fields before the long one, and after it
  const char* after;
  const char* fill;   // the long field's bytes, repeated: CP932
  const char* next;   // a short line after them
  const char* query;  // the lengths of what was stored
  Lines lengths;
  const char* imported = "2件取り込みました。";
};

class list_line_bound : public ::testing::TestWithParam<list_bound_case> {};

constexpr std::size_t line_bound = 2 << 20;

// A line of the bound, its CR LF not counted, is imported whatever its
// bytes: single quotes (doubled in the statement), half-width katakana and
// kanji (three UTF-8 bytes for one and two); a line of commas is as many
// fields, none of them held. A byte more and it is reported and skipped
// unheld; the next line is read. The run stays under 64 MiB.
TEST_P(list_line_bound, holds_and_costs_bounded_memory) {
  const list_bound_case& c = GetParam();
  const auto line = [&c](std::size_t length) {
    std::string bytes = c.before;
    while (bytes.size() + std::strlen(c.after) < length) bytes += c.fill;
    return bytes + c.after;
  };
  const base_folder base;
  const std::string at_bound = line(line_bound);
  ASSERT_EQ(at_bound.size(), line_bound);
  write_file(base / c.file, at_bound + "\r\n" + line(line_bound + 1) + "\r\n" + c.next);
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, "2行目でエラーが発生しました  (Message: 行が長すぎます)"),
            1u)
      << result.out;
  EXPECT_EQ(count_lines_with(result.out, c.imported), 1u);
  EXPECT_EQ(base.rows(c.query), c.lengths);
#ifndef __SANITIZE_ADDRESS__  // the sanitizers' own memory hides the tool's
  EXPECT_LT(result.peak_kib, 64 << 10);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    lists, list_line_bound,
    ::testing::Values(list_bound_case{"quotes",
                                      "vellgard.list",
                                      "",
                                      ",10.0.0.1,1,,10.0.0.0,",
                                      "'",
                                      "b,10.0.0.2,2,,,",
                                      "select length(name) from vg_list",
                                      {"2097130", "1"}},
                      list_bound_case{"kanji",
                                      "manager.user",
                                      "5,",
                                      ",h,-,d",
                                      "\x88\x9f",
                                      "6,u,h,-,d",
                                      "select length(login_user_name) from users where id > 1",
                                      {"1048572", "1"}},
                      list_bound_case{"katakana",
                                      "vellgard.group",
                                      "1,",
                                      ",1,5,",
                                      "\xb1",
                                      "2,g,1,5,",
                                      "select length(name) from groups",
                                      {"2097145", "1"}},
                      list_bound_case{"commas",
                                      "manager.user",
                                      "",
                                      "",
                                      ",",
                                      "6,u,h,-,d",
                                      "select length(login_user_name) from users where id > 1",
                                      {"1"},
                                      "1件取り込みました。"}),
    [](const auto& info) { return std::string(info.param.name); });

// A file whose reading fails ends there, reported, with the lines read so far
// counted.
TEST(faults, a_list_whose_read_fails_is_reported) {
  const base_folder base;
  fs::create_symlink("/proc/self/mem", base / "vellgard.list");
  EXPECT_EQ(step(base.run().out, "登録済みVellgard2"),
            (Lines{"登録済みVellgard2 一覧の取り込みを開始します: " + base.quoted("vellgard.list"),
                   cannot_read + base.quoted("vellgard.list"),
                   "登録済みVellgard2 一覧の取り込みが完了しました。0件取り込みました。"}));
}

// An empty folder argument is the current folder, for every step alike.
TEST(faults, an_empty_path_is_the_current_folder) {
  const base_folder base;
  write_one_of_each(base.path());
  testing::tool_options options;
  options.working_folder = base.path().string();
  const auto result = testing::run_tool({"--path", ""}, options);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, "[Error]"), 0u) << result.out;
  EXPECT_EQ(count_lines_with(result.out, "1個のファイルを取り込み、1件のPCを登録しました。"), 1u);
  for (const char* table : tables) {
    EXPECT_NE(base.rows(std::string("select count(*) from ") + table), Lines{"0"}) << table;
  }
}

// What the appliance writes that glibc and Boost do not take as it does:
// the year 10000, and five single bytes of its code page. A CR that ends a
// file's last line is no part of it.
TEST(faults, the_appliance_data_that_the_libraries_read_otherwise) {
  const base_folder base;
  write_file(base / "hist" / "host_1.hist",
             sample::encode_detection_record(
                 {"", "", "h", "w", "10000-01-01 00:00:00", "10000-12-31 23:59:59"}));
  write_file(
      base / "hostmove" / "hostmove.hist",
      sample::encode_movement_record({"", "n", "", "h", "w", "1", "2", "9999-12-31 24:00:00"}));
  write_file(base / "manager.user",
             "1,a\x80\xa0\xfd\xfe\xff\x81\x80,h,-,d\n2,\x85\x40,h,-,d\n3,u3,h,-,d\r");
  const auto result = base.run();
  EXPECT_EQ(base.rows("select detect_time,confirmed_time from detection_log"),
            Lines{"10000-01-01 00:00:00|10000-12-31 23:59:59"});
  EXPECT_EQ(base.rows("select confirmed_table from hostmove"), Lines{"10000-01-01 00:00:00"});
  EXPECT_EQ(base.rows("select id,hex(login_user_name),description from users where id > 1"),
            (Lines{"11|61C280EFA3B0EFA3B1EFA3B2EFA3B3C3B7|d", "13|7533|d"}));
  EXPECT_EQ(
      count_lines_with(result.out,
                       "2行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)"),
      1u);
}

}  // namespace
}  // namespace rovev
