#pragma once

#include <cstdint>

namespace rovev {

// A calendar date with a time of day, to the microsecond and in no time
// zone, or not-a-date-time. Held as microseconds since 1970-01-01 00:00:00
// in the proleptic Gregorian calendar, so that it reaches the year 10000
// and beyond, where Boost's own date type stops at 9999.
class date_time {
 public:
  struct parts {
    std::int64_t year;
    unsigned month;  // 1 to 12
    unsigned day;    // 1 to 31
    unsigned hours;
    unsigned minutes;
    unsigned seconds;
    unsigned microseconds;
  };

  static constexpr std::int64_t microseconds_per_day = 86'400'000'000;

  date_time() = default;  // not-a-date-time
  static date_time from_microseconds(std::int64_t since_1970);
  // The parts must be a valid date and a time of day.
  static date_time from_parts(const parts& time);

  bool is_not_a_date_time() const { return !known_; }
  std::int64_t microseconds_since_1970() const { return microseconds_; }
  parts split() const;

  friend bool operator==(const date_time& a, const date_time& b) {
    return a.known_ == b.known_ && a.microseconds_ == b.microseconds_;
  }

 private:
  bool known_ = false;
  std::int64_t microseconds_ = 0;
};

// The calendar: days since 1970-01-01 of a date, and the days of a month.
std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day);
unsigned days_in_month(std::int64_t year, unsigned month);

}  // namespace rovev
