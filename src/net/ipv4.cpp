#include "net/ipv4.hpp"

#include <algorithm>
#include <boost/system/error_code.hpp>
#include <cerrno>
#include <charconv>
#include <cstring>

#include "base/number_field.hpp"
#include "os/error_text.hpp"

namespace rovev {

// Four decimal numbers from 0 to 255 without leading zeros, joined by single
// dots: what glibc's reading (inet_pton) takes, and no more. The platforms'
// readings differ (Windows reads 1.2.3 as 1.2.0.3), so the tool reads the
// one form itself, as it writes it (write_text).
std::optional<ipv4_address> ipv4_from_text(std::string_view text) {
  ipv4_address::bytes_type bytes{};
  std::size_t at = 0;
  for (std::size_t part = 0; part < bytes.size(); ++part) {
    if (part != 0 && (at == text.size() || text[at++] != '.')) return std::nullopt;
    const std::size_t first = at;
    unsigned value = 0;
    while (at < text.size() && at - first < 4 && text[at] >= '0' && text[at] <= '9') {
      value = value * 10 + static_cast<unsigned>(text[at++] - '0');
    }
    const std::size_t digits = at - first;
    if (digits == 0 || digits > 3 || value > 255 || (digits > 1 && text[first] == '0')) {
      return std::nullopt;
    }
    bytes[part] = static_cast<unsigned char>(value);
  }
  if (at != text.size()) return std::nullopt;
  return ipv4_address(bytes);
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
  return error_text(make_error_code(boost::system::errc::invalid_argument));
}

}  // namespace rovev
