#include "base/progress_meter.hpp"

#include <utility>

namespace rovev {
namespace {

constexpr std::chrono::milliseconds first_line{500};
constexpr std::chrono::milliseconds between_lines{100};

}  // namespace

progress_meter::progress_meter(report& out, std::function<clock::time_point()> now)
    : out_(out), shown_(out.shows_progress()), now_(std::move(now)) {
  if (shown_) next_ = now_() + first_line;
}

progress_meter::~progress_meter() {
  if (shown_) out_.erase_progress();
}

bool progress_meter::clock_says_due() {
  const auto now = now_();
  if (now < next_) return false;
  next_ = now + between_lines;
  return true;
}

unsigned percent_of(std::uintmax_t done, std::uintmax_t total) {
  if (total == 0 || done >= total) return 100;
  return static_cast<unsigned>(done * 100 / total);
}

}  // namespace rovev
