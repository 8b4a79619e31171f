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
#include "support/case_name.hpp"
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

struct fit_case {
  const char* text;
  std::size_t columns;
  const char* shown;
};

class fit_to_width : public ::testing::TestWithParam<fit_case> {};

// Cut between characters, a Japanese one taking two columns, half-width
// katakana one.
TEST_P(fit_to_width, cuts_whole_characters) {
  EXPECT_EQ(fit_to_columns(GetParam().text, GetParam().columns), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    lines, fit_to_width,
    ::testing::Values(fit_case{"検知履歴: 3個のファイル、250783件 (0%)", 19, "検知履歴: 3個のファ"},
                      fit_case{"検知履歴: 3個のファイル、250783件 (0%)", 20, "検知履歴: 3個のファ"},
                      fit_case{"登録済みPC: 25個のファイル、31232件 (98%)", 39,
                               "登録済みPC: 25個のファイル、31232件 (98"},
                      fit_case{"ユーザ一覧: 12行 (5%)", 80, "ユーザ一覧: 12行 (5%)"},
                      fit_case{"ｶﾅ漢字", 3, "ｶﾅ"}, fit_case{"ｶﾅ漢字", 4, "ｶﾅ漢"},
                      fit_case{"a", 0, ""},
                      fit_case{"\xe6\x97x", 2,
                               "\xe6\x97"}),  // a broken character is a byte a column
    [](const auto& info) {
      return testing::case_name(info.index, std::to_string(info.param.columns) + " columns");
    });

// A progress line needs a terminal on standard error that nothing else
// writes to between two draws: standard output is that terminal, a file or
// /dev/null, and not a pipe or another terminal.
TEST(console, shows_progress_only_where_nothing_else_writes_to_the_terminal) {
  const auto terminal = [] {
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ::grantpt(master);
    ::unlockpt(master);
    return std::make_pair(master, ::open(::ptsname(master), O_RDWR | O_NOCTTY));
  };
  const auto [master, err] = terminal();
  const auto [other_master, other] = terminal();
  int pipe_ends[2];
  ASSERT_EQ(::pipe(pipe_ends), 0);
  std::FILE* file = std::tmpfile();
  const int null = ::open("/dev/null", O_WRONLY);
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
  for (const int descriptor :
       {master, err, other_master, other, pipe_ends[0], pipe_ends[1], null}) {
    ::close(descriptor);
  }
  std::fclose(file);
}

}  // namespace
}  // namespace rovev
