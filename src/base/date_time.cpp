#include "base/date_time.hpp"

#include <algorithm>

#include "base/decimal_text.hpp"

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

// The count digits at text[at], if they are all digits.
bool read_digits(std::string_view text, std::size_t at, std::size_t count, unsigned& value) {
  value = 0;
  for (std::size_t i = at; i < at + count; ++i) {
    const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
    if (digit > 9) return false;
    value = value * 10 + digit;
  }
  return true;
}

char* write_two_digits(char* out, unsigned value) {
  *out++ = static_cast<char>('0' + value / 10 % 10);
  *out++ = static_cast<char>('0' + value % 10);
  return out;
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

date_time date_time::from_text(std::string_view text) {
  if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
      text[16] != ':') {
    return {};
  }
  unsigned year, month, day, hours, minutes, seconds;
  if (!read_digits(text, 0, 4, year) || !read_digits(text, 5, 2, month) ||
      !read_digits(text, 8, 2, day) || !read_digits(text, 11, 2, hours) ||
      !read_digits(text, 14, 2, minutes) || !read_digits(text, 17, 2, seconds)) {
    return {};
  }
  // A year below 1000 has leading zeros here, which its text form has not.
  if (year < 1000 || month < 1 || month > 12 || day < 1 || day > days_in_month(year, month) ||
      hours > 23 || minutes > 59 || seconds > 59) {
    return {};
  }
  date_time value = from_parts({year, month, day, hours, minutes, seconds, 0});
  value.has_text_ = true;
  std::copy(text.begin(), text.end(), value.text_.begin());
  return value;
}

char* date_time::write_text(char* out) const {
  if (has_text_) return std::copy(text_.begin(), text_.end(), out);
  out = format_decimal(out, parts_.year);
  *out++ = '-';
  out = write_two_digits(out, parts_.month);
  *out++ = '-';
  out = write_two_digits(out, parts_.day);
  *out++ = ' ';
  out = write_two_digits(out, parts_.hours);
  *out++ = ':';
  out = write_two_digits(out, parts_.minutes);
  *out++ = ':';
  return write_two_digits(out, parts_.seconds);
}

std::int64_t date_time::microseconds_since_1970() const {
  const std::int64_t seconds = (parts_.hours * 60 + parts_.minutes) * 60 + parts_.seconds;
  return days_from_civil(parts_.year, parts_.month, parts_.day) * microseconds_per_day +
         seconds * 1'000'000 + parts_.microseconds;
}

}  // namespace rovev
