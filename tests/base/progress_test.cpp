// The progress line as a function of the counts, the clock and the width,
// and where it may be drawn at all.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>

#include "base/console.hpp"
#include "base/display_columns.hpp"
#include "base/progress_meter.hpp"
#include "support/collected_report.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using clock = progress_meter::clock;

// None before the step has run half a second, then at most one a tenth of a
// second apart, and an erase when the meter goes; none at all on a report
// that shows no progress.
TEST(progress_meter, draws_when_due_and_erases_when_it_goes) {
  for (const bool shows : {true, false}) {
    testing::collected_report out(shows);
    clock::time_point now{};
    {
      progress_meter meter(out, [&now] { return now; });
      for (const unsigned ms : {0, 499, 500, 599, 600, 1000}) {
        now = clock::time_point(std::chrono::milliseconds(ms));
        for (unsigned call = 0; call < progress_meter::calls_per_look; ++call) {
          if (meter.due()) meter.show(messages::detection_progress, 3u, ms, percent_of(ms, 2000));
        }
      }
    }
    EXPECT_EQ(out.progress, shows ? (Lines{"検知履歴: 3個のファイル、500件 (25%)",
                                           "検知履歴: 3個のファイル、600件 (30%)",
                                           "検知履歴: 3個のファイル、1000件 (50%)", ""})
                                  : Lines{});
  }
}

// Cut to the width between characters, a Japanese one taking two columns,
// half-width katakana one, a byte that begins no character one.
TEST(progress_line, is_cut_to_whole_characters) {
  const std::string detection = "検知履歴: 3個のファイル、250783件 (0%)";
  EXPECT_EQ(fit_to_columns(detection, 19), "検知履歴: 3個のファ");
  EXPECT_EQ(fit_to_columns(detection, 20), "検知履歴: 3個のファ");
  EXPECT_EQ(fit_to_columns(detection, 80), detection);
  EXPECT_EQ(fit_to_columns("登録済みPC: 25個のファイル、31232件 (98%)", 39),
            "登録済みPC: 25個のファイル、31232件 (98");
  EXPECT_EQ(fit_to_columns("ｶﾅ漢字", 3), "ｶﾅ");
  EXPECT_EQ(fit_to_columns("ｶﾅ漢字", 4), "ｶﾅ漢");
  EXPECT_EQ(fit_to_columns("a", 0), "");
  EXPECT_EQ(fit_to_columns("\xe6\x97x", 2), "\xe6\x97");
}

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
