#include "app/console.hpp"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include "support/case_name.hpp"

namespace rovev {
namespace {

struct charset_case {
  const char* charset;
  const char* expected;  // the bytes of "取り込み: %s"
};

class console_charset : public ::testing::TestWithParam<charset_case> {};

std::string contents(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
  return bytes;
}

TEST_P(console_charset, converts_templates_but_not_their_arguments) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), std::fclose);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), std::fclose);
  console lines(GetParam().charset, fileno(out.get()), fileno(err.get()));
  lines.out_line(messages::message<1>{"取り込み: %s"}, "パス");
  lines.err_line(messages::message<1>{"%u"}, 7u);
  EXPECT_EQ(contents(out.get()), std::string(GetParam().expected) + "パス\n");
  EXPECT_EQ(contents(err.get()), "7\n");
  EXPECT_FALSE(lines.failed());
}

INSTANTIATE_TEST_SUITE_P(
    sets, console_charset,
    ::testing::Values(charset_case{"UTF-8", "取り込み: "},
                      charset_case{"ANSI_X3.4-1968", "取り込み: "},
                      charset_case{"ISO-8859-1", "取り込み: "},
                      charset_case{"NO-SUCH-SET", "取り込み: "},
                      charset_case{"CP932", "\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd: "},
                      charset_case{"SHIFT_JIS", "\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd: "},
                      charset_case{"EUC-JP", "\xbc\xe8\xa4\xea\xb9\xfe\xa4\xdf: "}),
    [](const auto& info) { return testing::case_name(info.index, info.param.charset); });

// On a terminal the progress line is drawn in place, with a carriage return
// and erase-to-end-of-line only, and erased before a line goes there.
TEST(console, draws_progress_in_place_and_erases_it_before_another_line) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), std::fclose);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), std::fclose);
  for (const bool shows : {true, false}) {
    console lines("UTF-8", fileno(out.get()), fileno(err.get()), shows);
    lines.progress(messages::message<1>{"進捗 %u"}, 1u);
    lines.progress(messages::message<1>{"進捗 %u"}, 2u);
    lines.out_line(messages::message<0>{"出力"});  // not the terminal
    lines.err_line(messages::message<0>{"エラー"});
    lines.erase_progress();  // none is drawn
    lines.progress(messages::message<1>{"進捗 %u"}, 3u);
    lines.erase_progress();
  }
  EXPECT_EQ(contents(err.get()),
            "\r進捗 1\x1b[K\r進捗 2\x1b[K\r\x1b[Kエラー\n\r進捗 3\x1b[K\r\x1b[K"
            "エラー\n");
  EXPECT_EQ(contents(out.get()), "出力\n出力\n");
}

}  // namespace
}  // namespace rovev
