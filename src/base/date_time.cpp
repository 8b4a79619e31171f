#include "base/date_time.hpp"

namespace rovev {
namespace {

constexpr std::int64_t floor_div(std::int64_t value, std::int64_t divisor) {
  return value / divisor - (value % divisor < 0 ? 1 : 0);
}

struct civil {
  std::int64_t year;
  unsigned month;
  unsigned day;
};

// The inverse of days_from_civil: eras of 400 years (146097 days), counted
// from 0000-03-01 so that a leap day ends its year.
civil civil_from_days(std::int64_t days) {
  days += 719468;
  const std::int64_t era = floor_div(days, 146097);
  const auto day_of_era = static_cast<unsigned>(days - era * 146097);
  const unsigned year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const unsigned day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const unsigned shifted_month = (5 * day_of_year + 2) / 153;
  const unsigned day = day_of_year - (153 * shifted_month + 2) / 5 + 1;
  const unsigned month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  return {year_of_era + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

}  // namespace

std::int64_t days_from_civil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = floor_div(year, 400);
  const auto year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

unsigned days_in_month(std::int64_t year, unsigned month) {
  static constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = year % 4 == 0 && (year % 100 != 0 || year % 400 == 0);
  return month == 2 && leap ? 29 : days[month - 1];
}

date_time date_time::from_microseconds(std::int64_t since_1970) {
  const std::int64_t days = floor_div(since_1970, microseconds_per_day);
  const std::int64_t of_day = since_1970 - days * microseconds_per_day;
  const civil date = civil_from_days(days);
  return from_parts({date.year, date.month, date.day, static_cast<unsigned>(of_day / 3'600'000'000),
                     static_cast<unsigned>(of_day / 60'000'000 % 60),
                     static_cast<unsigned>(of_day / 1'000'000 % 60),
                     static_cast<unsigned>(of_day % 1'000'000)});
}

date_time date_time::from_parts(const parts& time) {
  date_time value;
  value.known_ = true;
  value.parts_ = time;
  return value;
}

std::int64_t date_time::microseconds_since_1970() const {
  const std::int64_t seconds = (parts_.hours * 60 + parts_.minutes) * 60 + parts_.seconds;
  return days_from_civil(parts_.year, parts_.month, parts_.day) * microseconds_per_day +
         seconds * 1'000'000 + parts_.microseconds;
}

}  // namespace rovev
