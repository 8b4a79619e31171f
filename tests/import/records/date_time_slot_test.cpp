#include "import/records/date_time_slot.hpp"

#include <gtest/gtest.h>

#include <boost/date_time/posix_time/posix_time.hpp>
#include <optional>
#include <string>
#include "support/case_name.hpp"

namespace rovev {
namespace {

enum class outcome { value, cast_failure, range_failure };

struct reading {
  outcome kind;
  std::int64_t microseconds = 0;  // since 1970, for a value
};

template <class Reader>
reading classify(Reader reader) {
  try {
    return {outcome::value, reader()};
  } catch (const boost::bad_lexical_cast&) {
    return {outcome::cast_failure};
  } catch (const std::out_of_range&) {
    return {outcome::range_failure};
  }
}

reading ours(const std::string& text) {
  return classify([&] { return read_date_time(text).microseconds_since_1970(); });
}

class date_time_slot : public ::testing::TestWithParam<const char*> {};

// For the years Boost's date type holds, the reading is time_from_string's:
// the same value, or the same kind of failure.
TEST_P(date_time_slot, reads_as_time_from_string_does) {
  const std::string text = GetParam();
  const reading reference = classify([&] {
    const boost::posix_time::ptime epoch(boost::gregorian::date(1970, 1, 1));
    return (boost::posix_time::time_from_string(text) - epoch).total_microseconds();
  });
  const reading reading = ours(text);
  EXPECT_EQ(reading.kind, reference.kind) << text;
  EXPECT_EQ(reading.microseconds, reference.microseconds) << text;
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
                      "+014-08-04 09:05:07", "2014-08-04 09:05:-7", "x", "2014-AUGUST-4 -1:00",
                      "1400-01-01 -00:00:01", "-63536-01-01 00:00:00", "2014-08-04 1:2:3.1234567"),
    [](const auto& info) { return testing::case_name(info.index, info.param); });

struct year_10000_case {
  const char* text;
  outcome kind;
  std::optional<date_time::parts> value;
};

class year_10000 : public ::testing::TestWithParam<year_10000_case> {};

// The appliance's years run to 10000, one further than Boost's.
TEST_P(year_10000, is_a_year_like_the_others) {
  const reading reading = ours(GetParam().text);
  EXPECT_EQ(reading.kind, GetParam().kind) << GetParam().text;
  if (GetParam().value) {
    EXPECT_EQ(reading.microseconds,
              date_time::from_parts(*GetParam().value).microseconds_since_1970());
  }
}

INSTANTIATE_TEST_SUITE_P(
    texts, year_10000,
    ::testing::Values(
        year_10000_case{"10000-01-01 00:00:00", outcome::value, {{10000, 1, 1, 0, 0, 0, 0}}},
        year_10000_case{"9999-12-31 24:00:00", outcome::value, {{10000, 1, 1, 0, 0, 0, 0}}},
        year_10000_case{"10000-02-29 12:00:00", outcome::value, {{10000, 2, 29, 12, 0, 0, 0}}},
        year_10000_case{
            "+10000-Dec-31 23:59:59.5", outcome::value, {{10000, 12, 31, 23, 59, 59, 500000}}},
        year_10000_case{"10000-01-01 ab:00:00", outcome::cast_failure, std::nullopt},
        year_10000_case{"10001-01-01 00:00:00", outcome::range_failure, std::nullopt},
        year_10000_case{"10000-02-30 00:00:00", outcome::range_failure, std::nullopt},
        // Pieces that overflowed Boost's narrow converter are no numbers.
        year_10000_case{"\xaf"
                        "20112-01-01 00:00:00",
                        outcome::cast_failure, std::nullopt},
        year_10000_case{"2014-01-\xaf"
                        "20112 00:00:00",
                        outcome::cast_failure, std::nullopt},
        year_10000_case{"2014-01-01 \xaf"
                        "20112:00:00",
                        outcome::cast_failure, std::nullopt},
        year_10000_case{"2014-01-01 00:\xaf"
                        "20112:00",
                        outcome::cast_failure, std::nullopt},
        year_10000_case{"2014-01-01 00:00:\xaf"
                        "20112",
                        outcome::cast_failure, std::nullopt}),
    [](const auto& info) { return testing::case_name(info.index, info.param.text); });

}  // namespace
}  // namespace rovev
