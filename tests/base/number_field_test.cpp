// Every way a number field converts or fails, for each target width.
#include "base/number_field.hpp"

#include <gtest/gtest.h>

#include <cstdint>

#include "support/case_name.hpp"

namespace rovev {
namespace {

struct number_case {
  const char* field;
  bool u32_ok;
  std::uint32_t u32;
  bool i32_ok;
  std::int32_t i32;
  bool u16_ok;
  std::uint16_t u16;
};

class number_field : public ::testing::TestWithParam<number_case> {};

template <class Number>
void expect_number(const char* field, bool ok, Number expected) {
  Number value{};
  EXPECT_EQ(try_to_number(field, value), ok) << field;
  if (ok) {
    EXPECT_EQ(value, expected) << field;
    EXPECT_EQ(to_number<Number>(field), expected);
  } else {
    try {
      to_number<Number>(field);
      ADD_FAILURE() << field;
    } catch (const boost::bad_lexical_cast&) {
      // the failure every importer takes for a field that is no number
    }
  }
}

TEST_P(number_field, converts_as_a_whole) {
  const number_case& c = GetParam();
  expect_number<std::uint32_t>(c.field, c.u32_ok, c.u32);
  expect_number<std::int32_t>(c.field, c.i32_ok, c.i32);
  expect_number<std::uint16_t>(c.field, c.u16_ok, c.u16);
}

INSTANTIATE_TEST_SUITE_P(
    fields, number_field,
    ::testing::Values(number_case{"7", true, 7, true, 7, true, 7},
                      number_case{"+7", true, 7, true, 7, true, 7},
                      number_case{"007", true, 7, true, 7, true, 7},
                      number_case{"-1", true, 4294967295u, true, -1, true, 65535},
                      number_case{"65536", true, 65536, true, 65536, false, 0},
                      number_case{"4294967295", true, 4294967295u, false, 0, false, 0},
                      number_case{"4294967296", false, 0, false, 0, false, 0},
                      number_case{"2147483648", true, 2147483648u, false, 0, false, 0},
                      number_case{"-2147483648", true, 2147483648u, true, INT32_MIN, false, 0},
                      number_case{"", false, 0, false, 0, false, 0},
                      number_case{" 10", false, 0, false, 0, false, 0},
                      number_case{"10 ", false, 0, false, 0, false, 0},
                      number_case{"7a", false, 0, false, 0, false, 0},
                      number_case{"0x10", false, 0, false, 0, false, 0},
                      number_case{"+-1", false, 0, false, 0, false, 0},
                      number_case{"-", false, 0, false, 0, false, 0},
                      number_case{"+", false, 0, false, 0, false, 0},
                      number_case{"-65535", true, 4294901761u, true, -65535, true, 1},
                      number_case{"-65536", true, 4294901760u, true, -65536, false, 0},
                      number_case{"-+1", false, 0, false, 0, false, 0},
                      number_case{"00000000000000065535", true, 65535, true, 65535, true, 65535},
                      number_case{"x-12122", false, 0, false, 0, false, 0}),
    [](const auto& info) { return testing::case_name(info.index, info.param.field); });

}  // namespace
}  // namespace rovev
