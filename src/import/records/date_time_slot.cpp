#include "import/records/date_time_slot.hpp"

#include <boost/date_time/date_parsing.hpp>
#include <boost/date_time/gregorian/greg_month.hpp>
#include <boost/date_time/posix_time/posix_time_duration.hpp>
#include <boost/tokenizer.hpp>
#include <stdexcept>
#include <string>

#include "base/number_field.hpp"

namespace rovev {
namespace {

constexpr std::int64_t first_year = 1400;
constexpr std::int64_t last_year = 10000;

// A month as Boost reads it: a number when it begins with a digit, else an
// English name or its abbreviation.
unsigned short read_month(const std::string& piece) {
  if (piece.front() >= '0' && piece.front() <= '9') return to_number<unsigned short>(piece);
  return boost::date_time::month_str_to_ushort<boost::gregorian::greg_month>(piece);
}

// The date part as time_from_string reads it: year, month and day as the
// first three pieces between any of ",-. /", then checked against the
// calendar. Gives the days since 1970. Here and in the time of day the
// numbers are read as Boost reads them, but through the number fields' own
// path: Boost's converter to unsigned short overflows int on long pieces.
std::int64_t read_date(const std::string& text) {
  const boost::char_separator<char> separators(",-. /");
  const boost::tokenizer<boost::char_separator<char>> pieces(text, separators);
  unsigned short year = 0;
  unsigned short month = 0;
  unsigned short day = 0;
  int position = 0;
  for (auto piece = pieces.begin(); piece != pieces.end() && position < 3; ++piece, ++position) {
    if (position == 0) year = to_number<unsigned short>(*piece);
    if (position == 1) month = read_month(*piece);
    if (position == 2) day = to_number<unsigned short>(*piece);
  }
  if (year < first_year || year > last_year) throw std::out_of_range("year out of range");
  if (month < 1 || month > 12) throw std::out_of_range("month out of range");
  if (day < 1 || day > days_in_month(year, month)) throw std::out_of_range("day out of range");
  return days_from_civil(year, month, day);
}

// The time of day as Boost's parse_delimited_time_duration reads it: hours,
// minutes, seconds and a fraction of a second (six digits at most are read)
// as the first four pieces between any of "-:,.", the whole negative when
// the text begins with "-". Gives microseconds. The empty text is a range
// failure, as for Boost.
std::int64_t read_time_of_day(const std::string& text) {
  const bool negative = text.at(0) == '-';
  const boost::char_separator<char> separators("-:,.");
  const boost::tokenizer<boost::char_separator<char>> pieces(text, separators);
  constexpr int fraction_digits = 6;
  std::int32_t hours = 0;
  unsigned short minutes = 0;
  unsigned short seconds = 0;
  std::int64_t fraction = 0;
  int position = 0;
  for (auto piece = pieces.begin(); piece != pieces.end() && position < 4; ++piece, ++position) {
    if (position == 0) hours = to_number<std::int32_t>(*piece);
    if (position == 1) minutes = to_number<unsigned short>(*piece);
    if (position == 2) seconds = to_number<unsigned short>(*piece);
    if (position == 3) {
      const auto digits = static_cast<int>(piece->size());
      fraction = to_number<std::int64_t>(std::string_view(*piece).substr(0, fraction_digits));
      for (int missing = digits; missing < fraction_digits; ++missing) fraction *= 10;
    }
  }
  const boost::posix_time::time_duration duration(hours, minutes, seconds, fraction);
  return (negative ? -duration : duration).total_microseconds();
}

}  // namespace

date_time read_date_time(std::string_view text) {
  // Nearly every slot holds the date's own text form, read without the
  // general reading below, which is far slower.
  if (const date_time time = date_time::from_text(text);
      !time.is_not_a_date_time() && time.split().year >= first_year) {
    return time;
  }
  // The date ends at the first blank, and the time of day follows it.
  const std::string whole(text);
  const std::size_t blank = whole.find(' ');
  const std::int64_t days = read_date(whole.substr(0, blank));
  const std::string time_of_day =
      blank == std::string::npos ? std::string() : whole.substr(blank + 1);
  return date_time::from_microseconds(days * date_time::microseconds_per_day +
                                      read_time_of_day(time_of_day));
}

}  // namespace rovev
