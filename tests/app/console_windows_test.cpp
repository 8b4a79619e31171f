// The console as Windows writes it into a file or a pipe: the lines in
// UTF-8, or in the ANSI code page where that is code page 932, each ended by
// CR LF.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>

#include "app/console.hpp"

namespace rovev {
namespace {

std::string contents(std::FILE* file) {
  std::string bytes;
  std::rewind(file);
  for (int c; (c = std::fgetc(file)) != EOF;) bytes += static_cast<char>(c);
  return bytes;
}

TEST(console, writes_crlf_lines_in_code_page_932_or_utf8) {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> out(std::tmpfile(), std::fclose);
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> err(std::tmpfile(), std::fclose);
  {
    console lines("UTF-8", _fileno(out.get()), _fileno(err.get()));
    lines.out_line(messages::message<1>{"取り込み: %s"}, "パス");
    lines.err_line(messages::message<1>{"%u"}, 7u);
    EXPECT_FALSE(lines.failed());
  }
  const bool cp932 = ::GetACP() == 932;
  EXPECT_EQ(contents(out.get()),
            cp932 ? "\x8e\xe6\x82\xe8\x8d\x9e\x82\xdd: \x83p\x83X\r\n" : "取り込み: パス\r\n");
  EXPECT_EQ(contents(err.get()), "7\r\n");
}

}  // namespace
}  // namespace rovev
