#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "base/report.hpp"

namespace rovev {

// The progress line of one step that may run long, on a report that shows
// one (the console, when standard error is a terminal). The step asks due()
// as its work goes and shows a line when it is due: the first once the step
// has run for half a second, the next ones a tenth of a second apart. The
// line is erased when the meter goes. On any other report due() is never
// true and costs the test of a flag.
class progress_meter {
 public:
  using clock = std::chrono::steady_clock;

  // now: the clock the meter goes by.
  explicit progress_meter(report& out, std::function<clock::time_point()> now = clock::now);
  ~progress_meter();
  progress_meter(const progress_meter&) = delete;
  progress_meter& operator=(const progress_meter&) = delete;

  bool due() { return shown_ && ++calls_ % calls_per_look == 0 && clock_says_due(); }

  template <std::size_t Arity, class... Args>
  void show(messages::message<Arity> line, const Args&... values) {
    out_.progress(line, values...);
  }

  // The clock is looked at on one call in so many: a step pays for it far
  // less often than once per record.
  static constexpr unsigned calls_per_look = 16;

 private:
  bool clock_says_due();

  report& out_;
  bool shown_;
  std::function<clock::time_point()> now_;
  unsigned calls_ = 0;
  clock::time_point next_;
};

// done as a whole percentage of total; 100 for an empty total.
unsigned percent_of(std::uintmax_t done, std::uintmax_t total);

}  // namespace rovev
