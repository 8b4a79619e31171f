// The whole tool as an operator runs it once on a live manager host: under
// resource limits, on history trees it cannot read whole, against a vg.db
// that another program holds, on crafted records, and a second time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <boost/filesystem/operations.hpp>
#include <functional>
#include <optional>
#include <set>

#include "base/quoted_path.hpp"
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
  Lines rows(1);
  std::size_t column = 0;  // in the row, in columns, and in its bytes:
  const auto byte_at = [&rows](std::size_t columns) {
    std::size_t at = 0;
    for (std::size_t used = 0; at < rows.back().size() && used < columns; ++used) {
      const auto lead = static_cast<unsigned char>(rows.back()[at]);
      at += lead >= 0xF0 ? 4 : lead >= 0xE0 ? (++used, 3) : lead >= 0xC0 ? 2 : 1;
    }
    return at;
  };
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    if (bytes[at] == '\r') {
      column = 0;
    } else if (bytes[at] == '\n') {
      rows.emplace_back();
      column = 0;
    } else if (bytes.compare(at, 3, "\x1b[K") == 0) {
      rows.back().resize(byte_at(column));
      at += 2;
    } else if ((lead & 0xC0) != 0x80) {
      const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
      const std::size_t begin = byte_at(column);
      rows.back().replace(begin, byte_at(column + (length >= 3 ? 2 : 1)) - begin,
                          bytes.substr(at, length));
      column += length >= 3 ? 2 : 1;
      if (column >= width) {
        rows.emplace_back();
        column = 0;
      }
    }
  }
  while (!rows.empty() && rows.back().empty()) rows.pop_back();
  return rows;
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
          "select x + 1 from n where x < 400) select x from n;"
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
  EXPECT_NE(shown.out.find("\r検知履歴: 1個のフ"), std::string::npos);
  EXPECT_EQ(screen_of(shown.out, 20), screen_of(file_bytes, 20));
}

INSTANTIATE_TEST_SUITE_P(runs, on_a_terminal,
                         ::testing::Values(terminal_case{"to_the_end", "", 0, 0},
                                           terminal_case{"interrupted", "\r検知履歴", 130, 9}),
                         [](const auto& info) { return std::string(info.param.name); });

// Makes a chain of folders whose path ends up longer than PATH_MAX.
void make_long_branch(const fs::path& top) {
  fs::create_directories(top);
  int folder = ::open(top.c_str(), O_RDONLY | O_DIRECTORY);
  const std::string name(250, 'x');
  for (int level = 0; level < 20 && folder >= 0; ++level) {
    ::mkdirat(folder, name.c_str(), 0700);
    const int next = ::openat(folder, name.c_str(), O_RDONLY | O_DIRECTORY);
    ::close(folder);
    folder = next;
  }
  ASSERT_GE(folder, 0);
  ::close(folder);
}

// One entry the walk cannot use costs that entry, not the rest of the walk.
TEST(live_host, a_history_walk_goes_on_past_what_it_cannot_read) {
  const base_folder base;
  fs::create_directories(base / "hist");
  fs::create_symlink("loop", base / "hist" / "loop");
  fs::create_symlink("host_3.hist", base / "hist" / "host_3.hist");
  make_long_branch(base / "hist" / "long");
  fs::path deep = base / "hist";
  for (int level = 0; level < 40; ++level) deep /= "d";  // deeper than the descriptors
  write_file(deep / "host_1.hist", detection_record);
  write_file(base / "hist" / "z" / "host_2.hist", detection_record);
  fs::create_directories(base / "hostmove" / "a");
  fs::create_symlink("hostmove.hist", base / "hostmove" / "a" / "hostmove.hist");
  testing::tool_options options;
  options.open_files_limit = 24;
  const auto result = run(base, options);
  EXPECT_EQ(result.status, 0);
  const std::string cannot_read = "    [Error]: ファイル読み込みに失敗しました: ";
  EXPECT_EQ(count_lines_with(result.out, cannot_read + quoted(base / "hist" / "host_3.hist")), 1u);
  const auto hostmove_link = base / "hostmove" / "a" / "hostmove.hist";
  EXPECT_EQ(count_lines_with(result.out, cannot_read + quoted(hostmove_link)), 1u);
  const Lines too_long = {"    [Error]: ファイルシステムエラーです  (what: ",
                          "File name too long: \"" + base.path().string()};
  EXPECT_EQ(count_lines_with(result.out, too_long[0]), 1u) << result.out;
  EXPECT_EQ(count_lines_with(result.out, too_long[1]), 1u) << result.out;
  EXPECT_EQ(count_lines_with(result.out, "3個のファイルが見つかり、2件の履歴を取り込みました。"),
            1u);
  EXPECT_EQ(count_lines_with(result.out, "1個のファイルが見つかり、0件の履歴を取り込みました。"),
            1u);
}

struct database_case {
  const char* name;
  // Makes vg.db what the case needs; other is a second connection on it.
  std::function<void(const base_folder&, testing::other_connection& other)> prepare;
  const char* read_only;  // what is made read-only: "vg.db", the folder ("."), or nothing ("")
  int status;
  const char* text;  // in every line that reports the database
  std::size_t lines_with_text;
  std::size_t lines;
  long file_size_limit = 0;  // RLIMIT_FSIZE of the run, as a full disk
};

class database_check : public ::testing::TestWithParam<database_case> {};

// vg.db is checked before any step: what cannot be written stops the run
// with one line; what can be written runs, and reports what fails in it.
TEST_P(database_check, stops_before_any_step_only_what_cannot_be_written) {
  const base_folder base;
  write_one_of_each(base.path());
  testing::other_connection other(base.database());
  GetParam().prepare(base, other);
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

using other_connection = testing::other_connection;

INSTANTIATE_TEST_SUITE_P(
    cases, database_check,
    ::testing::Values(
        database_case{"not_a_database",
                      [](const base_folder& base, other_connection&) {
                        write_file(base.database(), std::string(4096, 'x'));
                      },
                      "", 1, "データベースエラーです。vg.dbファイルを", 1, 1},
        database_case{"locked_by_a_writer",
                      [](const base_folder&, other_connection& other) {
                        other.exec(
                            "BEGIN IMMEDIATE; UPDATE users SET description = '' WHERE id = 1;");
                      },
                      "", 1, "中止しました  (what: The database file is locked)", 1, 1},
        database_case{"read_only", [](const base_folder&, other_connection&) {}, "vg.db", 1,
                      "中止しました  (what: Attempt to write a readonly database)", 1, 1},
        // vg.db can be written, but no journal can be made beside it.
        database_case{"folder_without_room_for_a_journal",
                      [](const base_folder&, other_connection&) {}, ".", 1,
                      "データベースエラーのため取り込みを中止しました  (what: ", 1, 1},
        // SQLite ends the check's transaction when its journal cannot grow.
        database_case{"journal_beyond_the_file_size_limit",
                      [](const base_folder&, other_connection&) {}, "", 1,
                      "データベースエラーのため取り込みを中止しました  (what: Some kind of disk "
                      "I/O error occurred)",
                      1, 1, 4096},
        database_case{
            "empty_file",
            [](const base_folder& base, other_connection&) { write_file(base.database(), ""); }, "",
            0, "SQL error or missing database", 6, 18},
        database_case{"missing_table",
                      [](const base_folder&, other_connection& other) {
                        other.exec("DROP TABLE detection_log;");
                      },
                      "", 0, "SQL error or missing database", 1, 13}),
    [](const auto& info) { return std::string(info.param.name); });

// Date pieces that overflowed Boost's narrow converter, each a number
// failure of its own.
TEST(live_host, crafted_date_pieces_are_number_failures) {
  const base_folder base;
  std::string moves;
  for (const char* time : {"\xaf"
                           "20112-01-01 00:00:00",
                           "2014-01-\xaf"
                           "20112 00:00:00",
                           "2014-01-01 \xaf"
                           "20112:00:00",
                           "2014-01-01 00:\xaf"
                           "20112:00",
                           "2014-01-01 00:00:\xaf"
                           "20112"}) {
    moves += sample::encode_movement_record({"", "n", "", "h", "w", "1", "2", time});
  }
  write_file(base / "hostmove" / "hostmove.hist", moves);
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out,
                             "    [Error]: IDの変換に失敗しました  (what: bad lexical cast: source "
                             "type value could not be interpreted as target)"),
            5u);
}

// A registered PC file that never ends (sized 0, as /proc gives it) reads
// as the empty file it is sized.
TEST(live_host, a_registered_pc_file_reads_no_more_than_its_size) {
  const base_folder base;
  fs::create_symlink("/proc/self/pagemap", base / "host_1.db");
  testing::tool_options options;
  options.timeout_seconds = 30;
  const auto result = run(base, options);
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, "1個のファイルを取り込み、0件のPCを登録しました。"), 1u);
}

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
                       "予期しないエラーのため取り込みを中止しました  (what: cannot open the "
                       "conversion from CP932 to UTF-8: Cannot allocate memory)"},
        no_memory_case{
            "sqlite3_open", ZOV_SQLITE_OPEN_WITHOUT_MEMORY,
            "データベースエラーのため取り込みを中止しました  (what: A malloc() failed)"}),
    [](const auto& info) { return std::string(info.param.name); });

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
