// A date-time slot against Boost's time_from_string: the same value or the
// same kind of failure. Boost 1.74 stops at the year 9999; a text whose year
// reads as 10000 is held against the same text with the year 2000 (the
// calendar repeats every 400 years), moved on by 8000 years. Boost's
// converter to unsigned short overflows int on date pieces longer than five
// characters, so such a piece is handed to Boost in a short form that reads
// the same: a number without its leading zeros, 99999 for one too large,
// 0x for anything that is no number. A text that is a date's own text form
// is written back as it came, and so are its parts.
#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "base/number_field.hpp"
#include "import/records/date_time_slot.hpp"

namespace {

enum class outcome { value, cast_failure, range_failure, other_failure };

struct reading {
  outcome kind;
  std::int64_t microseconds = 0;
};

template <class Reader>
reading classify(Reader reader) {
  try {
    return {outcome::value, reader()};
  } catch (const boost::bad_lexical_cast&) {
    return {outcome::cast_failure};
  } catch (const std::out_of_range&) {
    return {outcome::range_failure};
  } catch (const std::exception&) {
    return {outcome::other_failure};
  }
}

reading reference(const std::string& text) {
  return classify([&] {
    const boost::posix_time::ptime epoch(boost::gregorian::date(1970, 1, 1));
    return (boost::posix_time::time_from_string(text) - epoch).total_microseconds();
  });
}

// lexical_cast<unsigned short>'s reading of a piece, in at most five
// characters: an optional sign and digits whose value fits, else a failure.
std::string short_form(const std::string& piece) {
  const std::size_t digits_at = piece[0] == '+' || piece[0] == '-' ? 1 : 0;
  const std::string digits = piece.substr(digits_at);
  if (digits.empty() || digits.find_first_not_of("0123456789") != std::string::npos) return "0x";
  const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
  const std::string value = digits.substr(first);
  if (value.size() > 5 || std::stoul(value) > 65535) return "99999";
  return piece.substr(0, digits_at) + value;
}

// The first three pieces between separators in text[begin, end), each as
// Boost is to read it: the month of a date (position 1) only when it begins
// with a digit, the hours of a time (position 0) never, the rest in short
// form. A date's year piece is kept in year. Gives the new end.
std::size_t shorten(std::string& text, std::size_t begin, std::size_t end, bool date,
                    std::string& year) {
  const char* const separators = date ? ",-./" : "-:,.";
  std::size_t at = begin;
  for (int position = 0; position < 3; ++position) {
    at = text.find_first_not_of(separators, at);
    if (at == std::string::npos || at >= end) break;
    const std::size_t length = std::min(text.find_first_of(separators, at), end) - at;
    std::string piece = text.substr(at, length);
    const bool month_name = date && position == 1 && !(piece[0] >= '0' && piece[0] <= '9');
    const bool hours = !date && position == 0;
    if (!month_name && !hours && piece.size() > 5) piece = short_form(piece);
    unsigned short value = 0;
    if (date && position == 0 && rovev::try_to_number(piece, value) && value == 10000) {
      year = piece;
      piece = "2000";
    }
    text.replace(at, length, piece);
    end = end + piece.size() - length;
    at += piece.size();
  }
  return end;
}

// The text as Boost is to read it: the long pieces it reads as unsigned
// short in their short forms (year, a month that begins with a digit and
// day; minutes and seconds), and a year that reads as 10000 put as 2000.
// True when the year was moved so.
bool as_boost_reads(std::string& text) {
  const std::size_t blank = text.find(' ');
  std::string year;
  const std::size_t date_end = shorten(text, 0, std::min(blank, text.size()), true, year);
  if (blank != std::string::npos) shorten(text, date_end + 1, text.size(), false, year);
  return !year.empty();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A slot holds at most its width of text, up to its first NUL.
  std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24));
  text = text.substr(0, text.find('\0'));
  const reading ours =
      classify([&] { return rovev::read_date_time(text).microseconds_since_1970(); });
  std::string boost_text = text;
  const bool moved = as_boost_reads(boost_text);
  reading expected = reference(boost_text);
  constexpr std::int64_t eight_thousand_years = 2'921'940 * rovev::date_time::microseconds_per_day;
  if (moved && expected.kind == outcome::value) expected.microseconds += eight_thousand_years;
  if (ours.kind != expected.kind || ours.microseconds != expected.microseconds) std::abort();

  const rovev::date_time kept = rovev::date_time::from_text(text);
  if (!kept.is_not_a_date_time()) {
    char as_kept[rovev::date_time::text_room];
    char from_parts[rovev::date_time::text_room];
    const std::string_view written(as_kept, kept.write_text(as_kept) - as_kept);
    const std::string_view formatted(
        from_parts, rovev::date_time::from_parts(kept.split()).write_text(from_parts) - from_parts);
    if (written != text || formatted != text) std::abort();
  }
  return 0;
}
