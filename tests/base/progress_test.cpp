// The progress line as a function of the counts, the clock and the width,
// and where it may be drawn at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <iterator>
#include <string>
#include <utility>

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

// Widths count a Japanese character as two columns, half-width katakana and
// a byte that begins no character as one.
TEST(progress_line, counts_the_columns_a_terminal_shows) {
  EXPECT_EQ(display_columns("ｶﾅ漢字 1"), 8u);
  EXPECT_EQ(display_columns("\xe6\x97x"), 3u);
  const auto forms = report::progress_forms(messages::detection_progress, 3u, 395400u, 98u);
  EXPECT_EQ(first_that_fits(forms, 7), "");
  EXPECT_EQ(first_that_fits(forms, 8), "395400件");
  EXPECT_EQ(first_that_fits(forms, 29), "3個のファイル、395400件 (98%)");
  EXPECT_EQ(first_that_fits(forms, 39), "検知履歴: 3個のファイル、395400件 (98%)");
}

// Every progress line at every width from 1 to 80 shows the longest form
// that fits whole, and the step's name only beside every number: words give
// way before numbers, and a wider terminal never shows fewer numbers.
template <std::size_t Arity, std::size_t... Index>
void expect_numbers_outlive_words(messages::message<Arity> message, std::index_sequence<Index...>) {
  if (message.text.find('|') == std::string_view::npos) return;  // no progress line
  constexpr unsigned values[] = {7, 395400, 98};                 // files, rows, percent
  constexpr std::size_t first = std::size(values) - Arity;
  const auto forms = report::progress_forms(message, values[first + Index]...);
  const std::string_view name = std::string_view(forms[0]).substr(0, forms[0].find(": ") + 2);
  const auto numbers_in = [&](std::string_view shown) {
    std::size_t found = 0;
    for (std::size_t i = first; i < std::size(values); ++i) {
      found += shown.find(std::to_string(values[i])) != std::string_view::npos;
    }
    return found;
  };
  std::size_t numbers_before = 0;
  for (std::size_t columns = 1; columns <= 80; ++columns) {
    const std::string_view shown = first_that_fits(forms, columns);
    EXPECT_LE(display_columns(shown), columns) << shown;
    EXPECT_GE(numbers_in(shown), numbers_before) << columns << ": " << shown;
    if (shown.find(name) != std::string_view::npos) {
      EXPECT_EQ(numbers_in(shown), Arity) << shown;
    }
    EXPECT_EQ(shown.empty(), columns < display_columns(forms.back())) << columns;
    numbers_before = numbers_in(shown);
  }
  EXPECT_EQ(numbers_before, Arity) << message.text;
}

TEST(progress_line, gives_words_way_before_numbers_at_every_width) {
#define ROVEV_EXPECT_NUMBERS_OUTLIVE_WORDS(name, arity, text) \
  expect_numbers_outlive_words(messages::name, std::make_index_sequence<arity>());
  ROVEV_MESSAGES(ROVEV_EXPECT_NUMBERS_OUTLIVE_WORDS)
#undef ROVEV_EXPECT_NUMBERS_OUTLIVE_WORDS
}

}  // namespace
}  // namespace rovev
