#include "app/console.hpp"

#include <gtest/gtest.h>

namespace rovev {
namespace {

struct charset_case {
  const char* charset;
  const char* expected;  // the bytes of "取り込み: %s"
};

class console_charset : public ::testing::TestWithParam<charset_case> {
 protected:
  void TearDown() override { console::use_charset("UTF-8"); }
};

TEST_P(console_charset, converts_templates_but_not_their_arguments) {
  console::use_charset(GetParam().charset);
  EXPECT_EQ(console::format("取り込み: %s", "パス"), std::string(GetParam().expected) + "パス");
}

INSTANTIATE_TEST_SUITE_P(
    sets, console_charset,
    ::testing::Values(charset_case{"UTF-8", "取り込み: "},
                      charset_case{"ANSI_X3.4-1968", "取り込み: "},
                      charset_case{"ISO-8859-1", "取り込み: "},
                      charset_case{"CP932", "\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd: "},
                      charset_case{"SHIFT_JIS", "\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd: "},
                      charset_case{"EUC-JP", "\xbc\xe8\xa4\xea\xb9\xfe\xa4\xdf: "}));

TEST(console, quoted_paths_escape_quotes_and_ampersands) {
  EXPECT_EQ(console::quoted("a \"b\" & c/d"), "\"a &\"b&\" && c/d\"");
  EXPECT_EQ(console::quoted(""), "\"\"");
}

}  // namespace
}  // namespace rovev
