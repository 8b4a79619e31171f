// Where a progress line may be drawn, among the terminals of a POSIX system.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/console.hpp"

namespace rovev {
namespace {

// A progress line needs a terminal on standard error that nothing else
// writes to between two draws: standard output is that terminal, a file or
// /dev/null, and not a pipe or another terminal.
TEST(console, shows_progress_only_where_nothing_else_writes_to_the_terminal) {
  std::vector<int> opened;
  const auto terminal = [&opened] {
    opened.push_back(::posix_openpt(O_RDWR | O_NOCTTY));
    ::grantpt(opened.back());
    ::unlockpt(opened.back());
    opened.push_back(::open(::ptsname(opened.back()), O_RDWR | O_NOCTTY));
    return opened.back();
  };
  const int err = terminal();
  const int other = terminal();
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  opened.insert(opened.end(), {pipe_ends[0], pipe_ends[1], ::open("/dev/null", O_WRONLY)});
  const int null = opened.back();
  std::FILE* file = std::tmpfile();
  const char* term = std::getenv("TERM");
  const std::string saved = term != nullptr ? term : "";
  ::setenv("TERM", "xterm", 1);
  EXPECT_TRUE(console::shows_progress_on(err, err));
  EXPECT_TRUE(console::shows_progress_on(fileno(file), err));
  EXPECT_TRUE(console::shows_progress_on(null, err));
  EXPECT_FALSE(console::shows_progress_on(pipe_ends[1], err));
  EXPECT_FALSE(console::shows_progress_on(other, err));
  EXPECT_FALSE(console::shows_progress_on(err, fileno(file)));
  ::setenv("TERM", "dumb", 1);
  EXPECT_FALSE(console::shows_progress_on(err, err));
  term != nullptr ? ::setenv("TERM", saved.c_str(), 1) : ::unsetenv("TERM");
  for (const int descriptor : opened) ::close(descriptor);
  std::fclose(file);
}

}  // namespace
}  // namespace rovev
