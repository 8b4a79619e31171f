#include "import/lists/list_file_reader.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <functional>

#include "os/disk_files.hpp"
#include "record_encoding.hpp"
#include "support/collected_report.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

using Fields = std::vector<std::string>;

class list_file_reader_test : public ::testing::Test {
 protected:
  // The lines read, with copies of their fields.
  struct read_line {
    std::uint32_t number;
    Fields fields;
    std::size_t field_count;
  };
  std::vector<read_line> read(const std::string& bytes) {
    testing::write_file(file_, bytes);
    const auto opened = disk_files().open(file_);
    list_file_reader reader(*opened, report_);
    std::vector<read_line> lines;
    list_line line;
    while (reader.next(line))
      lines.push_back({line.number, {line.fields.begin(), line.fields.end()}, line.field_count});
    return lines;
  }

  testing::temp_folder folder_;
  boost::filesystem::path file_ = folder_ / "list";
  testing::collected_report report_;
};

// Every comma ends a field, empty ones kept, none trimmed; an empty line has
// none. Past the six fields a list reads, fields are counted, not held.
TEST_F(list_file_reader_test, numbers_physical_lines_and_splits_them_at_every_comma) {
  const auto lines = read("a,b,\r\n\n,\r\n 10 ,,b\r\n1,2,3,4,5,6,7,8\r\nlast");
  std::vector<Fields> fields;
  for (const read_line& line : lines) fields.push_back(line.fields);
  EXPECT_EQ(fields, (std::vector<Fields>{{"a", "b", ""},
                                         {},
                                         {"", ""},
                                         {" 10 ", "", "b"},
                                         {"1", "2", "3", "4", "5", "6"},
                                         {"last"}}));
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[1].number, 2u);
  EXPECT_EQ(lines[4].field_count, 8u);
  EXPECT_EQ(lines[5].number, 6u);
}

TEST_F(list_file_reader_test, decodes_cp932_up_to_the_first_nul) {
  const auto lines =
      read(sample::to_cp932("本社,ｶﾅ,a\\b,①") + std::string("\0,x\r\n", 5) + "\r\r\n");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].fields, (Fields{"本社", "ｶﾅ", "a\\b", "①"}));
  // Only one CR is a line end; the one before it belongs to the text.
  EXPECT_EQ(lines[1].fields, Fields{"\r"});
}

TEST_F(list_file_reader_test, reports_and_skips_lines_that_are_not_cp932) {
  const auto lines = read("ok\n\x85\x40\n\x81 x\nend\x81\nfine\n");
  EXPECT_EQ(
      report_.out,
      (Fields{
          "    [Error]: 2行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)",
          "    [Error]: 3行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)",
          "    [Error]: 4行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)"}));
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1].number, 5u);
  EXPECT_EQ(lines[1].fields, Fields{"fine"});
}

}  // namespace
}  // namespace rovev
