#include "import/records/date_time_slot.hpp"

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time.hpp>
#include <string>

namespace rovev {
namespace {

enum class outcome { value, cast_failure, range_failure };

template <class Reader>
outcome classify(Reader reader, const std::string& text, boost::posix_time::ptime& time) {
  try {
    time = reader(text);
    return outcome::value;
  } catch (const boost::bad_lexical_cast&) {
    return outcome::cast_failure;
  } catch (const std::out_of_range&) {
    return outcome::range_failure;
  }
}

class date_time_slot : public ::testing::TestWithParam<const char*> {};

// The direct reading of the common form must be indistinguishable from
// time_from_string: the same value, or the same kind of failure.
TEST_P(date_time_slot, reads_as_time_from_string_does) {
  const std::string text = GetParam();
  boost::posix_time::ptime fast;
  boost::posix_time::ptime reference;
  const outcome fast_outcome =
      classify([](const std::string& t) { return read_date_time(t); }, text, fast);
  const outcome reference_outcome = classify(
      [](const std::string& t) { return boost::posix_time::time_from_string(t); }, text, reference);
  EXPECT_EQ(fast_outcome, reference_outcome) << text;
  if (fast_outcome == outcome::value) {
    EXPECT_EQ(fast, reference) << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    texts, date_time_slot,
    ::testing::Values("2014-08-04 09:05:07", "1400-01-01 00:00:00", "9999-12-31 23:59:59",
                      "2016-02-29 12:00:00", "2015-02-29 12:00:00", "2014-04-31 00:00:00",
                      "2014-13-01 00:00:00", "2014-00-01 00:00:00", "2014-01-00 00:00:00",
                      "1399-12-31 23:59:59", "0000-01-01 00:00:00", "2014-08-04 24:00:00",
                      "2014-08-04 23:60:00", "2014-08-04 23:59:60", "2014-08-04 99:99:99",
                      "abcd-01-01 00:00:00", "2014-1a-01 00:00:00", "2014-08-04 0a:00:00",
                      "2014/08/04 09:05:07", "2014-08-04 09:05:07.5", "2014-8-4 9:5:7",
                      "2014-Aug-04 09:05:07", "2014-xyz-04 09:05:07", "2014-08-04", "",
                      "2014-08-04 ", " 2014-08-04 09:05:07", "2014-08-04  09:05:07",
                      "+014-08-04 09:05:07", "2014-08-04 09:05:-7", "x"));

}  // namespace
}  // namespace rovev
