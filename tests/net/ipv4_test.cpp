#include "net/ipv4.hpp"

#include <gtest/gtest.h>

#include <boost/system/system_error.hpp>
#include <string>
#include "support/case_name.hpp"

namespace rovev {
namespace {

class ipv4_rejects : public ::testing::TestWithParam<const char*> {};

TEST_P(ipv4_rejects, with_the_platform_error) {
  try {
    ipv4_from_string(GetParam());
    FAIL() << "accepted " << GetParam();
  } catch (const boost::system::system_error& error) {
    EXPECT_EQ(error.code().value(), EINVAL);
    EXPECT_EQ(error.code().message(), "Invalid argument");
  }
}

INSTANTIATE_TEST_SUITE_P(texts, ipv4_rejects,
                         ::testing::Values("", "192.168.1.256", "manager.example", "10.0.0.999",
                                           " 1.2.3.4", "1.2.3.4 ", "1.2.3"),
                         [](const auto& info) {
                           return testing::case_name(info.index, info.param);
                         });

TEST(ipv4, own_text_is_the_platform_text) {
  const ipv4_address address = ipv4_from_string("192.168.1.23");
  EXPECT_EQ(address.to_bytes(), (ipv4_address::bytes_type{192, 168, 1, 23}));
  EXPECT_EQ(ipv4_from_string("255.255.255.255").to_uint(), 0xFFFFFFFFu);
  for (const char* text :
       {"0.0.0.0", "255.255.255.255", "192.168.1.23", "10.0.100.9", "1.22.0.255"}) {
    const ipv4_address address = ipv4_from_string(text);
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
  bool generic_error;  // failure is the generic invalid argument (port), else the address's
};

class address_and_port_text : public ::testing::TestWithParam<port_case> {};

TEST_P(address_and_port_text, converts) {
  const port_case& c = GetParam();
  if (c.address != nullptr) {
    const address_and_port value = parse_address_and_port(c.text);
    EXPECT_EQ(value.address.to_string(), c.address);
    EXPECT_EQ(value.port, c.port);
    return;
  }
  try {
    parse_address_and_port(c.text);
    FAIL() << "accepted " << c.text;
  } catch (const boost::system::system_error& error) {
    EXPECT_EQ(error.code().category() == boost::system::generic_category(), c.generic_error);
    EXPECT_EQ(error.code().value(), EINVAL);
    EXPECT_EQ(error.code().message(), "Invalid argument");
  }
}

INSTANTIATE_TEST_SUITE_P(
    texts, address_and_port_text,
    ::testing::Values(port_case{"192.168.1.23", "192.168.1.23", 80, false},
                      port_case{"192.168.1.23:8080", "192.168.1.23", 8080, false},
                      port_case{"192.168.1.23:+21", "192.168.1.23", 21, false},
                      port_case{"192.168.1.23:-1", "192.168.1.23", 65535, false},
                      port_case{"192.168.1.23:0", "192.168.1.23", 0, false},
                      port_case{"192.168.1.23:", nullptr, 0, true},
                      port_case{"192.168.1.23:65536", nullptr, 0, true},
                      port_case{"192.168.1.23:80x", nullptr, 0, true},
                      port_case{"192.168.1.23: 80", nullptr, 0, true},
                      port_case{"192.168.1.23:1:2", nullptr, 0, true},
                      port_case{"192.168.1.999:x", nullptr, 0, false},
                      port_case{"", nullptr, 0, false}),
    [](const auto& info) { return testing::case_name(info.index, info.param.text); });

}  // namespace
}  // namespace rovev
