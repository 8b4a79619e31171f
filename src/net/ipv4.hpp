#pragma once

#include <boost/asio/ip/address_v4.hpp>
#include <cstdint>
#include <string_view>

namespace rovev {

using ipv4_address = boost::asio::ip::address_v4;

// Strict dotted-decimal text; throws boost::system::system_error with the
// platform's invalid-argument error otherwise.
ipv4_address ipv4_from_string(std::string_view text);

// Four bytes in network order, first address byte first.
ipv4_address ipv4_from_network_bytes(const unsigned char* bytes);

// Dotted-decimal text in a value of its own; it reads as a string_view.
struct ipv4_text {
  char chars[16];
  std::size_t size;
  operator std::string_view() const { return {chars, size}; }
};

// The same text as to_string, without allocating or going through
// inet_ntop: it is written for every row of a history.
ipv4_text to_text(const ipv4_address& address);

struct address_and_port {
  ipv4_address address;
  std::uint16_t port;
};

// "address" (port 80) or "address:port". A bad address throws its own error;
// a bad port throws the generic invalid-argument error.
address_and_port parse_address_and_port(std::string_view text);

struct ipv4_hash {
  std::size_t operator()(const ipv4_address& address) const noexcept { return address.to_uint(); }
};

}  // namespace rovev
