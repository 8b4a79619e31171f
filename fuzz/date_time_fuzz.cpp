// A date-time slot against Boost's time_from_string: the same value or the
// same kind of failure. Boost 1.74 stops at the year 9999; a text whose year
// reads as 10000 is held against the same text with the year 2000 (the
// calendar repeats every 400 years), moved on by 8000 years.
#include <boost/date_time/posix_time/posix_time.hpp>
#include <boost/lexical_cast.hpp>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

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

// The text with its year piece put as 2000, when that piece reads as 10000.
bool year_10000_as_2000(std::string& text) {
  const std::size_t date_end = text.find(' ');
  const std::size_t start = text.find_first_not_of(",-./");
  if (start == std::string::npos || start >= date_end) return false;
  const std::size_t end = std::min(text.find_first_of(",-./ ", start), date_end);
  unsigned short year;
  if (!boost::conversion::try_lexical_convert(text.substr(start, end - start), year) ||
      year != 10000) {
    return false;
  }
  text.replace(start, end - start, "2000");
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A slot holds at most its width of text, up to its first NUL.
  std::string text(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 24));
  text = text.substr(0, text.find('\0'));
  const reading ours =
      classify([&] { return rovev::read_date_time(text).microseconds_since_1970(); });
  std::string boost_text = text;
  const bool moved = year_10000_as_2000(boost_text);
  reading expected = reference(boost_text);
  constexpr std::int64_t eight_thousand_years = 2'921'940 * rovev::date_time::microseconds_per_day;
  if (moved && expected.kind == outcome::value) expected.microseconds += eight_thousand_years;
  if (ours.kind != expected.kind || ours.microseconds != expected.microseconds) std::abort();
  return 0;
}
