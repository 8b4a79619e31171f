#include "net/ipv4.hpp"

#include <arpa/inet.h>

#include <boost/system/system_error.hpp>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <string>

#include "base/number_field.hpp"

namespace rovev {

ipv4_address ipv4_from_string(std::string_view text) {
  return boost::asio::ip::make_address_v4(std::string(text));
}

ipv4_address ipv4_from_network_bytes(const unsigned char* bytes) {
  std::uint32_t network_order;
  std::memcpy(&network_order, bytes, sizeof network_order);
  return ipv4_address(ntohl(network_order));
}

ipv4_text to_text(const ipv4_address& address) {
  ipv4_text text{};
  char* out = text.chars;
  for (const unsigned char byte : address.to_bytes()) {
    if (out != text.chars) *out++ = '.';
    out = std::to_chars(out, text.chars + sizeof text.chars, static_cast<unsigned>(byte)).ptr;
  }
  text.size = static_cast<std::size_t>(out - text.chars);
  return text;
}

address_and_port parse_address_and_port(std::string_view text) {
  const auto colon = text.find(':');
  if (colon == std::string_view::npos) return {ipv4_from_string(text), 80};
  const ipv4_address address = ipv4_from_string(text.substr(0, colon));
  const std::string_view port_text = text.substr(colon + 1);
  std::uint16_t port;
  if (!try_to_number(port_text, port)) {
    throw boost::system::system_error(
        boost::system::error_code(EINVAL, boost::system::generic_category()));
  }
  return {address, port};
}

}  // namespace rovev
