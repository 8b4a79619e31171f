// The whole tool as an operator runs it once on a live manager host: on a
// terminal, under resource limits, against a vg.db that another program
// holds or that cannot be written, and a second time.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <boost/filesystem/directory.hpp>
#include <boost/filesystem/operations.hpp>
#include <numeric>
#include <optional>
#include <set>

#include "db/sqlite_library.hpp"
#include "os/database_file.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"
#include "support/read_only.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::count_lines_with;
using testing::lines_of;
using testing::write_file;
using testing::write_one_of_each;
namespace fs = boost::filesystem;
using output = testing::tool_options::output;

std::string rows_in(const base_folder& base, const std::string& table) {
  return base.rows("select count(*) from " + table).at(0);
}

testing::tool_result run(const base_folder& base, const testing::tool_options& options) {
  return testing::run_tool({"--path", base.path().string()}, options);
}

const std::string detection_record = sample::encode_detection_record(
    {"", "", "h", "w", "2014-08-01 08:30:00", "2014-08-01 08:31:10"});

// A program that opened the tool's output non-blocking and reads it late
// gets every line, as a file does: a full pipe is waited for, not dropped.
TEST(live_host, an_output_that_says_not_yet_gets_every_line) {
  const base_folder base;
  std::vector<std::string> bad_users(3000, "x,u,h,-,d");
  base.write_list("manager.user", bad_users);
  testing::tool_options late;
  late.out = output::late_reader;
  const auto read_late = run(base, late);
  const auto into_a_file = base.run();
  EXPECT_EQ(read_late.status, 0);
  EXPECT_GT(into_a_file.out.size(), 256u << 10);  // more than a pipe holds
  EXPECT_EQ(read_late.out, into_a_file.out);
}

// What a terminal of so many columns shows of bytes that move the cursor
// with a carriage return and erase with erase-to-end-of-line only: a row
// wraps as soon as it is full, and a character of three or four UTF-8 bytes
// (all of the tool's are Japanese) takes two columns.
Lines screen_of(const std::string& bytes, std::size_t width) {
  std::vector<Lines> rows(1);  // each a row of cells, a wide character's second one empty
  std::size_t column = 0;
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    Lines& row = rows.back();
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    const std::size_t cells = length >= 3 ? 2 : 1;
    if (bytes[at] == '\r' || bytes[at] == '\n') {
      if (bytes[at] == '\n') rows.emplace_back();
      column = 0;
    } else if (bytes.compare(at, 3, "\x1b[K") == 0) {
      row.resize(std::min(row.size(), column));
      at += 2;
    } else {
      row.resize(std::max(row.size(), column + cells));
      row[column] = bytes.substr(at, length);
      if (cells == 2) row[column + 1].clear();
      at += length - 1;
      if ((column += cells) >= width) rows.emplace_back(), column = 0;
    }
  }
  Lines screen;
  for (const Lines& row : rows)
    screen.push_back(std::accumulate(row.begin(), row.end(), std::string()));
  while (!screen.empty() && screen.back().empty()) screen.pop_back();
  return screen;
}

struct terminal_case {
  const char* name;
  const char* interrupt_on;  // what the tool has written when Ctrl-C comes; "" for none
  int status;
  std::size_t lines_shown;  // of the run into a file; 0 for all
};

class on_a_terminal : public ::testing::TestWithParam<terminal_case> {};

// On a terminal of 20 columns a step that runs long shows its progress, and
// the terminal ends up showing the lines of a run into a file and nothing
// else: no row the progress line left, also when Ctrl-C ends the run.
TEST_P(on_a_terminal, the_progress_line_leaves_nothing_behind) {
  const base_folder base;
  write_one_of_each(base.path());
  std::string records;
  for (int n = 0; n < 400; ++n) records += detection_record;
  write_file(base / "hist" / "host_1.hist", records);
  // Each detection row costs a few milliseconds, so that the step runs long.
  testing::other_connection(base.database())
      .exec(
          "create table spin(x); insert into spin with recursive n(x) as (select 1 union all "
          "select x + 1 from n where x < 700) select x from n;"
          "create trigger slow after insert on detection_log begin "
          "select count(*) from spin a, spin b; end;");
  const std::string fresh_database = testing::read_file(base.database());
  testing::tool_options terminal;
  terminal.out = output::terminal;
  terminal.environment.push_back("TERM=xterm");
  terminal.terminal_columns = 20;
  terminal.interrupt_on = GetParam().interrupt_on;
  const auto shown = run(base, terminal);
  write_file(base.database(), fresh_database);
  Lines into_a_file = lines_of(base.run().out);
  if (GetParam().lines_shown != 0) into_a_file.resize(GetParam().lines_shown);
  std::string file_bytes;
  for (const std::string& line : into_a_file) file_bytes += line + "\n";
  EXPECT_EQ(shown.status, GetParam().status);
  EXPECT_NE(shown.out.find("件 ("), std::string::npos) << shown.out;  // the form 20 columns hold
  EXPECT_EQ(screen_of(shown.out, 20), screen_of(file_bytes, 20));
}

INSTANTIATE_TEST_SUITE_P(runs, on_a_terminal,
                         ::testing::Values(terminal_case{"to_the_end", "", 0, 0},
                                           terminal_case{"interrupted", "件 (", 130, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

// Each folder is listed whole before the walk goes into it, so a tree
// deeper than the descriptors the tool may open is walked to its end.
TEST(live_host, a_history_walk_is_not_bounded_by_the_open_files) {
  const base_folder base;
  fs::path deep = base / "hist";
  for (int level = 0; level < 40; ++level) deep /= "d";
  write_file(deep / "host_1.hist", detection_record);
  write_file(base / "hist" / "z" / "host_2.hist", detection_record);
  testing::tool_options options;
  options.open_files_limit = 24;
  const auto result = run(base, options);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, "2個のファイルが見つかり、2件の履歴を取り込みました。"),
            1u)
      << result.out;
}

struct database_case {
  const char* name;
  const char* contents;   // of vg.db; null for the manager's database
  const char* sql;        // run by a second connection, which stays open
  const char* read_only;  // what is made read-only: "vg.db", the folder ("."), or nothing ("")
  int status;
  const char* text;  // in every line that reports the database
  std::size_t lines_with_text;
  std::size_t lines;
  long file_size_limit = 0;  // RLIMIT_FSIZE of the run, as a full disk
  // What else the base folder holds: a second name, a special file.
  void (*prepare)(const fs::path& base) = [](const fs::path&) {};
};

class database_check : public ::testing::TestWithParam<database_case> {};

// vg.db is checked before any step: what cannot be written stops the run
// with one line; what can be written runs, and reports what fails in it.
TEST_P(database_check, stops_before_any_step_only_what_cannot_be_written) {
  const base_folder base;
  write_one_of_each(base.path());
  if (GetParam().contents != nullptr) write_file(base.database(), GetParam().contents);
  GetParam().prepare(base.path());
  std::optional<testing::other_connection> other;
  if (*GetParam().sql != '\0') other.emplace(base.database()).exec(GetParam().sql);
  const auto listing = [&base] {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(base.path()))
      names.insert(entry.path().string());
    return names;
  };
  // Its size and time: a test that opened and closed vg.db itself would give
  // up the locks its second connection holds on it.
  const auto stamp = [&base] {
    struct stat status {};
    ::stat(base.database().c_str(), &status);
    return std::make_pair(status.st_size,
                          status.st_mtim.tv_sec * 1000000000L + status.st_mtim.tv_nsec);
  };
  const auto names_before = listing();
  const auto database_before = stamp();
  std::optional<testing::read_only> read_only;
  if (*GetParam().read_only != '\0') {
    read_only.emplace(base / GetParam().read_only);
    if (!read_only->made()) GTEST_SKIP() << "this file system makes nothing read-only";
  }
  testing::tool_options options;
  options.file_size_limit = GetParam().file_size_limit;
  const auto result = run(base, options);
  read_only.reset();
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(lines_of(result.out).size(), GetParam().lines) << result.out;
  EXPECT_EQ(count_lines_with(result.out, GetParam().text), GetParam().lines_with_text);
  if (GetParam().status == 1 && GetParam().lines == 1) {
    EXPECT_EQ(stamp(), database_before) << "vg.db was changed";
    EXPECT_EQ(listing(), names_before) << "something was left beside vg.db";
  }
}

const std::string not_a_database(4096, 'x');
const char* const stopped = "データベースエラーのため取り込みを中止しました  (what: ";

INSTANTIATE_TEST_SUITE_P(
    cases, database_check,
    ::testing::Values(
        database_case{"not_a_database", not_a_database.c_str(), "", "", 1,
                      "データベースエラーです。vg.dbファイルを", 1, 1},
        database_case{"locked_by_a_writer", nullptr,
                      "BEGIN IMMEDIATE; UPDATE users SET description = '' WHERE id = 1;", "", 1,
                      "中止しました  (what: The database file is locked)", 1, 1},
        database_case{"read_only", nullptr, "", "vg.db", 1,
                      "中止しました  (what: Attempt to write a readonly database)", 1, 1},
        // vg.db can be written, but no journal can be made beside it.
        database_case{"folder_without_room_for_a_journal", nullptr, "", ".", 1, stopped, 1, 1},
        // SQLite ends the check's transaction when its journal cannot grow.
        database_case{"journal_beyond_the_file_size_limit", nullptr, "", "", 1,
                      "中止しました  (what: Some kind of disk I/O error occurred)", 1, 1, 4096},
        database_case{"a_link_to_a_device", "", "", "", 1,
                      "データベースエラーです。vg.dbファイルを", 1, 1, 0,
                      [](const fs::path& base) {
                        fs::remove(base / "vg.db");
                        fs::create_symlink("/dev/null", base / "vg.db");
                      }},
        database_case{"a_fifo", "", "", "", 1, "データベースエラーです。vg.dbファイルを", 1, 1, 0,
                      [](const fs::path& base) {
                        fs::remove(base / "vg.db");
                        ::mkfifo((base / "vg.db").c_str(), 0600);
                      }},
        database_case{"empty_file", "", "", "", 0, "SQL error or missing database", 6, 18},
        database_case{"missing_table", nullptr, "DROP TABLE detection_log;", "", 0,
                      "SQL error or missing database", 1, 13}),
    [](const auto& info) { return std::string(info.param.name); });

struct refused_locks_case {
  const char* name;
  bool every_lock;     // no record lock on the byte and no folder lock either
  bool held_by_a_run;  // another run holds its lock on vg.db
  int status;
  const char* last_line;  // of standard output
  std::size_t warnings;   // lines on standard error that the run is not guarded
};

class refused_locks : public ::testing::TestWithParam<refused_locks_case> {};

// Where the file system takes no open-file-description lock, a classic
// record lock on the same byte keeps a second run out; where it takes no
// lock at all, the run goes on and says once that it is not guarded.
TEST_P(refused_locks, a_run_falls_back_or_says_it_is_not_guarded) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer must be the first library the tool loads";
#endif
  const base_folder base;
  base.write_list("vellgard.list", {"a,10.0.0.1,1,,,"});
  database_file other_run(base.database());
  if (GetParam().held_by_a_run) {
    ASSERT_EQ(other_run.lock(), lock_outcome::held);
  }
  testing::tool_options options;
  options.environment = {"LC_ALL=C.UTF-8", std::string("LD_PRELOAD=") + ZOV_RECORD_LOCKS_REFUSED};
  if (GetParam().every_lock) options.environment.push_back("ZOV_REFUSE_EVERY_LOCK=1");
  const auto result = run(base, options);
  EXPECT_EQ(result.status, GetParam().status);
  EXPECT_EQ(lines_of(result.out).back(), GetParam().last_line);
  EXPECT_EQ(count_lines_with(result.err,
                             "vg.dbをロックできないため、同時に実行された取り込みを防げません"),
            GetParam().warnings);
}

const char* const movement_finish =
    "移動履歴の取り込みが完了しました。0個のファイルが見つかり、0件の履歴を取り込みました。";

INSTANTIATE_TEST_SUITE_P(
    file_systems, refused_locks,
    ::testing::Values(
        refused_locks_case{"no_lock_of_an_open_file", false, false, 0, movement_finish, 0},
        refused_locks_case{"no_lock_of_an_open_file_beside_a_run", false, true, 1,
                           "    [Error]: データベースエラーのため取り込みを中止しました  (what: "
                           "The database file is locked)",
                           0},
        refused_locks_case{"no_lock_at_all", true, false, 0, movement_finish, 1}),
    [](const auto& info) { return std::string(info.param.name); });

struct no_memory_case {
  const char* name;
  const char* preload;  // a library whose call fails for lack of memory
  const char* line;     // the run's last line
};

class no_memory : public ::testing::TestWithParam<no_memory_case> {};

// A call that fails for lack of memory says so: an iconv_open, not that the
// system has no such conversion; an sqlite3_open, not that vg.db is missing.
TEST_P(no_memory, says_what_failed) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer must be the first library the tool loads";
#endif
  const base_folder base;
  base.write_list("vellgard.list", {"a,10.0.0.1,1,,,"});
  testing::tool_options options;
  options.environment = {"LC_ALL=C.UTF-8", std::string("LD_PRELOAD=") + GetParam().preload};
  const auto result = run(base, options);
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(lines_of(result.out).back(), std::string("    [Error]: ") + GetParam().line);
}

INSTANTIATE_TEST_SUITE_P(
    calls, no_memory,
    ::testing::Values(
        no_memory_case{"iconv_open", ZOV_ICONV_WITHOUT_MEMORY,
                       "予期しないエラーのため取り込みを中止しました  (what: out of memory)"},
        no_memory_case{
            "sqlite3_open", ZOV_SQLITE_OPEN_WITHOUT_MEMORY,
            "データベースエラーのため取り込みを中止しました  (what: A malloc() failed)"}),
    [](const auto& info) { return std::string(info.param.name); });

// The tool as built sets SQLite up before its first connection, and SQLite
// takes every part: single-threaded (option 1), no memory statistics (9) and,
// unless the build turns them off, the tool's small blocks (4). A part that
// SQLite refuses (21, misuse) changes no line of the run.
TEST(live_host, the_tool_sets_sqlite_up_before_it_opens_vg_db) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the address sanitizer must be the first library the tool loads";
#endif
  const base_folder base;
  write_one_of_each(base.path());
  const std::string fresh_database = testing::read_file(base.database());
  const auto plain = base.run();
  for (const bool refused : {false, true}) {
    write_file(base.database(), fresh_database);
    const fs::path log = base / (refused ? "refused.log" : "taken.log");
    testing::tool_options options;
    options.environment = {"LC_ALL=C.UTF-8", std::string("LD_PRELOAD=") + ZOV_SQLITE_CONFIG_LOG,
                           "ZOV_SQLITE_CONFIG_LOG=" + log.string()};
    if (refused) options.environment.push_back("ZOV_SQLITE_CONFIG_REFUSE=1");
    const auto result = run(base, options);
    EXPECT_EQ(result.status, 0);
    EXPECT_EQ(result.out, plain.out);
    const std::string answer = refused ? " 21\n" : " 0\n";
    EXPECT_EQ(
        testing::read_file(log),
        "1" + answer + "9" + answer + (sqlite_library::serves_small_blocks() ? "4" + answer : ""));
  }
}

// A second run on the same folder adds the histories again; the rest is
// refused: by the keys of the manager's schema, and groups by their names.
TEST(live_host, a_second_run_doubles_only_the_histories) {
  const base_folder base;
  write_one_of_each(base.path());
  ASSERT_EQ(base.run().status, 0);
  const auto second = base.run();
  EXPECT_EQ(second.status, 0);
  EXPECT_EQ(count_lines_with(second.out, "DBへの格納に失敗しました  what: Abort due to constraint"),
            2u);
  EXPECT_EQ(count_lines_with(second.out, "1個のファイルを取り込み、0件のPCを登録しました。"), 1u);
  for (const char* table : testing::filled_tables) {
    const bool history = table == std::string("detection_log") || table == std::string("hostmove");
    EXPECT_EQ(rows_in(base, table), history ? "2" : "1") << table;
  }
  EXPECT_EQ(rows_in(base, "users"), "2");
}

}  // namespace
}  // namespace rovev
