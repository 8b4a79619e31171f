#include "net/ipv4.hpp"

#include <algorithm>
#include <boost/system/error_code.hpp>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "base/number_field.hpp"

namespace rovev {

std::optional<ipv4_address> ipv4_from_text(std::string_view text) {
  // No longer dotted-decimal text than 255.255.255.255 is valid; the rest is
  // handed to the platform as the C string it reads.
  char terminated[16];
  if (text.size() >= sizeof terminated) return std::nullopt;
  *std::copy(text.begin(), text.end(), terminated) = '\0';
  boost::system::error_code error;
  const ipv4_address address = boost::asio::ip::make_address_v4(terminated, error);
  if (error) return std::nullopt;
  return address;
}

// The value's own bytes are in network order, first address byte first.
ipv4_address ipv4_from_network_bytes(const unsigned char* bytes) {
  ipv4_address::bytes_type address_bytes;
  std::memcpy(address_bytes.data(), bytes, address_bytes.size());
  return ipv4_address(address_bytes);
}

char* write_text(char* out, const ipv4_address& address) {
  bool first = true;
  for (const unsigned char byte : address.to_bytes()) {
    if (!first) *out++ = '.';
    first = false;
    out = std::to_chars(out, out + 3, static_cast<unsigned>(byte)).ptr;
  }
  return out;
}

ipv4_text to_text(const ipv4_address& address) {
  ipv4_text text{};
  text.size = static_cast<std::size_t>(write_text(text.chars, address) - text.chars);
  return text;
}

std::optional<address_and_port> parse_address_and_port(std::string_view text) {
  const auto colon = text.find(':');
  const auto address = ipv4_from_text(text.substr(0, colon));
  if (!address) return std::nullopt;
  if (colon == std::string_view::npos) return address_and_port{*address, 80};
  std::uint16_t port;
  if (!try_to_number(text.substr(colon + 1), port)) return std::nullopt;
  return address_and_port{*address, port};
}

std::string invalid_address_text() {
  return boost::system::error_code(EINVAL, boost::system::generic_category()).message();
}

}  // namespace rovev
