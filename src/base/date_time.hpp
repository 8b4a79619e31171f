#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

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
  // The text form "YYYY-MM-DD HH:MM:SS": the year in as many digits as it
  // takes (at least one), the fraction of a second left out.
  static constexpr std::size_t text_room = 40;

  date_time() = default;  // not-a-date-time
  static date_time from_microseconds(std::int64_t since_1970);
  // The parts must be a valid date and a time of day.
  static date_time from_parts(const parts& time);
  // The text form with a year of four digits (1000 to 9999), every part in range;
  // not-a-date-time for any other text. The value keeps the text and writes
  // it back as it came, without formatting its parts again.
  static date_time from_text(std::string_view text);

  bool is_not_a_date_time() const { return !known_; }
  std::int64_t microseconds_since_1970() const;
  const parts& split() const { return parts_; }
  // Writes the text form at out, which has text_room bytes, and returns its
  // end. Must not be not-a-date-time.
  char* write_text(char* out) const;

  friend bool operator==(const date_time& a, const date_time& b) {
    return a.known_ == b.known_ &&
           (!a.known_ || a.microseconds_since_1970() == b.microseconds_since_1970());
  }

 private:
  bool known_ = false;
  parts parts_{};
  // Set by from_text: the text it came from, which is its text form.
  bool has_text_ = false;
  std::array<char, 19> text_{};  // "YYYY-MM-DD HH:MM:SS"
};

// The calendar: days since 1970-01-01 of a date, and the days of a month.
std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day);
unsigned days_in_month(std::int64_t year, unsigned month);

}  // namespace rovev
