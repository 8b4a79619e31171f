#include "import/lists/list_file_reader.hpp"

#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <functional>

#include "base/number_field.hpp"
#include "os/disk_files.hpp"
#include "record_encoding.hpp"
#include "support/case_name.hpp"
#include "support/collected_report.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

using Fields = std::vector<std::string>;

// Every way a number field converts or fails, for each target width.
struct number_case {
  const char* field;
  bool u32_ok;
  std::uint32_t u32;
  bool i32_ok;
  std::int32_t i32;
  bool u16_ok;
  std::uint16_t u16;
};

class number_field : public ::testing::TestWithParam<number_case> {};

template <class Number>
void expect_number(const char* field, bool ok, Number expected) {
  Number value{};
  EXPECT_EQ(try_to_number(field, value), ok) << field;
  if (ok) {
    EXPECT_EQ(value, expected) << field;
    EXPECT_EQ(to_number<Number>(field), expected);
  } else {
    try {
      to_number<Number>(field);
      ADD_FAILURE() << field;
    } catch (const boost::bad_lexical_cast&) {
      // the failure every importer takes for a field that is no number
    }
  }
}

TEST_P(number_field, converts_as_a_whole) {
  const number_case& c = GetParam();
  expect_number<std::uint32_t>(c.field, c.u32_ok, c.u32);
  expect_number<std::int32_t>(c.field, c.i32_ok, c.i32);
  expect_number<std::uint16_t>(c.field, c.u16_ok, c.u16);
}

INSTANTIATE_TEST_SUITE_P(
    fields, number_field,
    ::testing::Values(number_case{"7", true, 7, true, 7, true, 7},
                      number_case{"+7", true, 7, true, 7, true, 7},
                      number_case{"007", true, 7, true, 7, true, 7},
                      number_case{"-1", true, 4294967295u, true, -1, true, 65535},
                      number_case{"65536", true, 65536, true, 65536, false, 0},
                      number_case{"4294967295", true, 4294967295u, false, 0, false, 0},
                      number_case{"4294967296", false, 0, false, 0, false, 0},
                      number_case{"2147483648", true, 2147483648u, false, 0, false, 0},
                      number_case{"-2147483648", true, 2147483648u, true, INT32_MIN, false, 0},
                      number_case{"", false, 0, false, 0, false, 0},
                      number_case{" 10", false, 0, false, 0, false, 0},
                      number_case{"10 ", false, 0, false, 0, false, 0},
                      number_case{"7a", false, 0, false, 0, false, 0},
                      number_case{"0x10", false, 0, false, 0, false, 0},
                      number_case{"+-1", false, 0, false, 0, false, 0},
                      number_case{"-", false, 0, false, 0, false, 0},
                      number_case{"+", false, 0, false, 0, false, 0},
                      number_case{"-65535", true, 4294901761u, true, -65535, true, 1},
                      number_case{"-65536", true, 4294901760u, true, -65536, false, 0},
                      number_case{"-+1", false, 0, false, 0, false, 0},
                      number_case{"00000000000000065535", true, 65535, true, 65535, true, 65535},
                      number_case{"x-12122", false, 0, false, 0, false, 0}),
    [](const auto& info) { return testing::case_name(info.index, info.param.field); });

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
