// The SQLite the tool is linked with is built as Debian builds it, but for
// lookaside in the source build: the same compile options, so that any
// schema Debian's SQLite reads this one reads the same way.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "support/tool_run.hpp"

namespace rovev {
namespace {

std::vector<std::string> own_compile_options() {
  std::vector<std::string> options;
  for (int n = 0; const char* option = sqlite3_compileoption_get(n); ++n) options.push_back(option);
  return options;
}

// What Debian's shared library says, through Debian's own shell.
std::vector<std::string> debian_compile_options() {
  const std::unique_ptr<std::FILE, int (*)(std::FILE*)> shell(
      ::popen("sqlite3 :memory: 'pragma compile_options'", "r"), ::pclose);
  std::string text;
  for (int c; shell && (c = std::fgetc(shell.get())) != EOF;) text += static_cast<char>(c);
  return testing::lines_of(text);
}

TEST(sqlite_build, has_debians_compile_options_but_lookaside) {
  std::vector<std::string> expected = debian_compile_options();
  ASSERT_NE(std::find(expected.begin(), expected.end(), "SECURE_DELETE"), expected.end());
#ifndef ZOV_SYSTEM_SQLITE
  expected.erase(std::remove(expected.begin(), expected.end(), "OMIT_LOOKASIDE"), expected.end());
#endif
  EXPECT_EQ(own_compile_options(), expected);
  EXPECT_STREQ(sqlite3_libversion(), SQLITE_VERSION);
}

}  // namespace
}  // namespace rovev
