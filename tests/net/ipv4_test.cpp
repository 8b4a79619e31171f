#include "net/ipv4.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "support/case_name.hpp"

namespace rovev {
namespace {

class ipv4_rejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ipv4_rejects, as_the_platform_does) {
  EXPECT_EQ(ipv4_from_text(GetParam()), std::nullopt) << GetParam();
  EXPECT_EQ(invalid_address_text(), "Invalid argument");
}

INSTANTIATE_TEST_SUITE_P(texts, ipv4_rejects,
                         ::testing::Values("", "192.168.1.256", "manager.example", "10.0.0.999",
                                           " 1.2.3.4", "1.2.3.4 ", "1.2.3", "01.2.3.4",
                                           "1.2.3.4.5", "0x1.2.3.4", "1..2.3", "1.2.3.4."),
                         [](const auto& info) {
                           return testing::case_name(info.index, info.param);
                         });

TEST(ipv4, own_text_is_the_platform_text) {
  const ipv4_address address = *ipv4_from_text("192.168.1.23");
  EXPECT_EQ(address.to_bytes(), (ipv4_address::bytes_type{192, 168, 1, 23}));
  EXPECT_EQ(ipv4_from_text("255.255.255.255")->to_uint(), 0xFFFFFFFFu);
  for (const char* text :
       {"0.0.0.0", "255.255.255.255", "192.168.1.23", "10.0.100.9", "1.22.0.255"}) {
    const ipv4_address address = *ipv4_from_text(text);
    EXPECT_EQ(std::string_view(to_text(address)), address.to_string());
  }
  for (std::uint32_t bits = 0; bits < 0x01000000u; bits += 0x00010203u) {
    const ipv4_address address(bits * 251u);
    ASSERT_EQ(std::string_view(to_text(address)), address.to_string());
  }
}

TEST(ipv4, from_network_bytes) {
  const unsigned char field[4] = {0xC0, 0xA8, 0x01, 0x17};
  EXPECT_EQ(ipv4_from_network_bytes(field).to_string(), "192.168.1.23");
}

struct port_case {
  const char* text;
  const char* address;  // nullptr: fails
  std::uint16_t port;
};

class address_and_port_text : public ::testing::TestWithParam<port_case> {};

TEST_P(address_and_port_text, converts) {
  const port_case& c = GetParam();
  const auto value = parse_address_and_port(c.text);
  ASSERT_EQ(value.has_value(), c.address != nullptr) << c.text;
  if (!value) return;
  EXPECT_EQ(value->address.to_string(), c.address);
  EXPECT_EQ(value->port, c.port);
}

INSTANTIATE_TEST_SUITE_P(texts, address_and_port_text,
                         ::testing::Values(port_case{"192.168.1.23", "192.168.1.23", 80},
                                           port_case{"192.168.1.23:8080", "192.168.1.23", 8080},
                                           port_case{"192.168.1.23:+21", "192.168.1.23", 21},
                                           port_case{"192.168.1.23:-1", "192.168.1.23", 65535},
                                           port_case{"192.168.1.23:0", "192.168.1.23", 0},
                                           port_case{"192.168.1.23:", nullptr, 0},
                                           port_case{"192.168.1.23:65536", nullptr, 0},
                                           port_case{"192.168.1.23:80x", nullptr, 0},
                                           port_case{"192.168.1.23: 80", nullptr, 0},
                                           port_case{"192.168.1.23:1:2", nullptr, 0},
                                           port_case{"192.168.1.999:x", nullptr, 0},
                                           port_case{"", nullptr, 0}),
                         [](const auto& info) {
                           return testing::case_name(info.index, info.param.text);
                         });

}  // namespace
}  // namespace rovev
