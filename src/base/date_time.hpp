#pragma once

#include <cstdint>

namespace rovev {

// A calendar date with a time of day, to the microsecond and in no time
// zone, or not-a-date-time, in the proleptic Gregorian calendar, so that it
// reaches the year 10000 and beyond, where Boost's own date type stops at
// 9999. Held as its parts: a value read from its parts is written back from
// them without a trip through a count of days.
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
  std::int64_t microseconds_since_1970() const;
  const parts& split() const { return parts_; }

  friend bool operator==(const date_time& a, const date_time& b) {
    return a.known_ == b.known_ &&
           (!a.known_ || a.microseconds_since_1970() == b.microseconds_since_1970());
  }

 private:
  bool known_ = false;
  parts parts_{};
};

// The calendar: days since 1970-01-01 of a date, and the days of a month.
std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day);
unsigned days_in_month(std::int64_t year, unsigned month);

}  // namespace rovev
