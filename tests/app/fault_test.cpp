// The whole tool against an unhealthy database, awkward folders and a mix of
// good and bad input: every failure reported, nothing lost, no crash.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <boost/filesystem/operations.hpp>

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
// run ends, each is reported once, and the good inputs are imported. Folders
// named like history files are passed over without a word.
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
  fs::create_directories(base / "hist" / "host_4.hist");
  fs::create_directories(base / "hostmove" / "folder" / "hostmove.hist");
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

struct list_bound_case {
  const char* name;
  const char* file;
  const char* around;  // the line's fields, %s the long one
  const char* fill;    // the long field's bytes, repeated: CP932
  const char* next;    // a short line after the two long ones
  const char* query;   // the length of what was stored
  const char* length;
};

class list_line_bound : public ::testing::TestWithParam<list_bound_case> {};

// A line of the bound, its CR LF not counted, is imported whatever its
// bytes: single quotes (doubled in the statement), half-width katakana and
// kanji (three UTF-8 bytes for one and two); a line of commas is as many
// fields, none of them held (and one too many). A byte more and the line is
// reported and skipped unheld; the next line is read. The run stays under
// 64 MiB.
TEST_P(list_line_bound, holds_and_costs_bounded_memory) {
  const list_bound_case& c = GetParam();
  const std::string around = c.around;
  const auto line = [&](std::size_t length) {
    std::string field;
    while (around.size() - 2 + field.size() < length) field += c.fill;
    return around.substr(0, around.find("%s")) + field + around.substr(around.find("%s") + 2);
  };
  const base_folder base;
  ASSERT_EQ(line(2 << 20).size(), 2u << 20);
  write_file(base / c.file, line(2 << 20) + "\r\n" + line((2 << 20) + 1) + "\r\n" + c.next);
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(count_lines_with(result.out, "2行目でエラーが発生しました  (Message: 行が長すぎます)"),
            1u)
      << result.out;
  const bool commas = *c.fill == ',';
  EXPECT_EQ(count_lines_with(result.out, commas ? "1件取り込みました。" : "2件取り込みました。"),
            1u);
  EXPECT_EQ(base.rows(c.query), commas ? Lines{"1"} : (Lines{c.length, "1"}));
#ifndef __SANITIZE_ADDRESS__  // the sanitizers' own memory hides the tool's
  EXPECT_LT(result.peak_kib, 64 << 10);
#endif
}

INSTANTIATE_TEST_SUITE_P(
    lists, list_line_bound,
    ::testing::Values(
        list_bound_case{"quotes", "vellgard.list", "%s,10.0.0.1,1,,10.0.0.0,", "'",
                        "b,10.0.0.2,2,,,", "select length(name) from vg_list order by id",
                        "2097130"},
        list_bound_case{"kanji", "manager.user", "5,%s,h,-,d", "\x88\x9f", "6,u,h,-,d",
                        "select length(login_user_name) from users where id > 1", "1048572"},
        list_bound_case{"katakana", "vellgard.group", "1,%s,1,5,", "\xb1", "2,g,1,5,",
                        "select length(name) from groups", "2097145"},
        list_bound_case{"commas", "manager.user", "5,%s,h,-,d", ",", "6,u,h,-,d",
                        "select length(login_user_name) from users where id > 1", ""}),
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

// Five single bytes of the appliance's code page that glibc does not take
// as it does. A CR that ends a file's last line is no part of it.
TEST(faults, the_appliance_bytes_that_glibc_reads_otherwise) {
  const base_folder base;
  write_file(base / "manager.user",
             "1,a\x80\xa0\xfd\xfe\xff\x81\x80,h,-,d\n2,\x85\x40,h,-,d\n3,u3,h,-,d\r");
  const auto result = base.run();
  EXPECT_EQ(base.rows("select id,hex(login_user_name),description from users where id > 1"),
            (Lines{"11|61C280EFA3B0EFA3B1EFA3B2EFA3B3C3B7|d", "13|7533|d"}));
  EXPECT_EQ(
      count_lines_with(result.out,
                       "2行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)"),
      1u);
}

}  // namespace
}  // namespace rovev
