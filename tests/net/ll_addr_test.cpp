#include "net/ll_addr.hpp"

#include <gtest/gtest.h>

#include <string>

#include "support/case_name.hpp"

namespace rovev {
namespace {

struct accepted_case {
  const char* text;
  const char* canonical;
};

class ll_addr_accepts : public ::testing::TestWithParam<accepted_case> {};

TEST_P(ll_addr_accepts, text_form) {
  EXPECT_EQ(std::string(ll_addr::from_text(GetParam().text)->to_text()), GetParam().canonical);
}

INSTANTIATE_TEST_SUITE_P(forms, ll_addr_accepts,
                         ::testing::Values(accepted_case{"00:1a:2B:3c:4D:5e", "00:1A:2B:3C:4D:5E"},
                                           accepted_case{"001A2B:3C4D5E", "00:1A:2B:3C:4D:5E"},
                                           accepted_case{"00-1A-2B-3C-4D-5E", "00:1A:2B:3C:4D:5E"},
                                           accepted_case{"001a2b-3C4D5E", "00:1A:2B:3C:4D:5E"},
                                           accepted_case{"ff:FF:fF:Ff:ff:ff", "FF:FF:FF:FF:FF:FF"},
                                           accepted_case{"", "00:00:00:00:00:00"},
                                           accepted_case{"00:00:00:00:00:00", "00:00:00:00:00:00"}),
                         [](const auto& info) {
                           return testing::case_name(info.index, info.param.text);
                         });

class ll_addr_rejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ll_addr_rejects, every_other_text) {
  EXPECT_FALSE(ll_addr::from_text(GetParam()).has_value()) << GetParam();
}

INSTANTIATE_TEST_SUITE_P(texts, ll_addr_rejects,
                         ::testing::Values(" 00:1A:2B:3C:4D:5E", "00:1A:2B:3C:4D:5E ",
                                           "00:1A:2B:3C:4D:5E:", "0:1A:2B:3C:4D:5E",
                                           "00:1A:2B:3C:4D", "00:1A:2B:3C:4D:5E:6F",
                                           "00:1A:2B:3C:4D:5G", "001A2B3C4D5E", "00:1A-2B:3C:4D:5E",
                                           "001A.2B3C.4D5E", "001A2B:3C4D5E\r", "INVALID",
                                           "001A2B-3C4D5E-"),
                         [](const auto& info) {
                           return testing::case_name(info.index, info.param);
                         });

TEST(ll_addr, from_raw_bytes_in_memory_order) {
  const unsigned char ones[6] = {255, 255, 255, 255, 255, 255};
  const unsigned char mixed[6] = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  const unsigned char zeros[6] = {};
  EXPECT_EQ(std::string(ll_addr(ones).to_text()), "FF:FF:FF:FF:FF:FF");
  EXPECT_EQ(std::string(ll_addr(mixed).to_text()), "00:1A:2B:3C:4D:5E");
  EXPECT_EQ(std::string(ll_addr(zeros).to_text()), "00:00:00:00:00:00");
  EXPECT_EQ(std::string(ll_addr().to_text()), "00:00:00:00:00:00");
}

TEST(ll_addr, parse_reports_instead_of_throwing) {
  ll_addr address;
  EXPECT_TRUE(address.parse("01-02-03-04-05-06"));
  EXPECT_EQ(std::string(address.to_text()), "01:02:03:04:05:06");
  EXPECT_FALSE(address.parse("01-02-03-04-05"));
  EXPECT_FALSE(address.parse(std::string_view("01:02:03:04:05:06\0", 18)));
}

}  // namespace
}  // namespace rovev
