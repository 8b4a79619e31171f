// The whole tool against an unhealthy database, awkward folders and a mix of
// good and bad input: every failure reported, nothing lost, no crash.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <regex>

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

class awkward_folder_name : public ::testing::TestWithParam<const char*> {};

// A folder name in any script, with blanks, an ampersand and (where the file
// system takes one) a double quote: imported, and printed as given, an
// ampersand before each double quote or ampersand.
TEST_P(awkward_folder_name, imports_and_prints_as_it_is) {
  const base_folder base_parent;
  const fs::path folder = base_parent / GetParam();
  fs::create_directory(folder);
  testing::create_manager_database(folder / "vg.db");
  write_one_of_each(folder);
  const auto result = testing::run_tool({"--path", folder.string()});
  EXPECT_EQ(result.status, 0);
  const std::string list = (folder / "vellgard.list").string();
  EXPECT_EQ(lines_of(result.out).front(),
            "登録済みVellgard2 一覧の取り込みを開始します: \"" +
                std::regex_replace(list, std::regex("([\"&])"), "&$1") + "\"");
  EXPECT_EQ(count_lines_with(result.out, "[Error]"), 0u) << result.out;
  for (const char* table : tables) {
    EXPECT_NE(testing::query(folder / "vg.db", std::string("select count(*) from ") + table),
              Lines{"0"})
        << table;
  }
}

INSTANTIATE_TEST_SUITE_P(names, awkward_folder_name,
                         ::testing::Values("基地 & B", "基地 \"A\" & B"), [](const auto& info) {
                           return std::string(info.index == 0 ? "ampersand" : "double_quote");
                         });

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
