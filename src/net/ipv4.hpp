#pragma once

#include <boost/asio/ip/address_v4.hpp>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rovev {

using ipv4_address = boost::asio::ip::address_v4;

// Strict dotted-decimal text, as glibc reads it on every platform; nothing
// for any other text, which the importers report with invalid_address_text().
std::optional<ipv4_address> ipv4_from_text(std::string_view text);

// Four bytes in network order, first address byte first.
ipv4_address ipv4_from_network_bytes(const unsigned char* bytes);

// Room for the longest dotted-decimal text, "255.255.255.255".
constexpr std::size_t ipv4_text_room = 15;

// Dotted-decimal text in a value of its own; it reads as a string_view.
struct ipv4_text {
  char chars[ipv4_text_room + 1];
  std::size_t size;
  operator std::string_view() const { return {chars, size}; }
};

// The same text as to_string, without allocating or going through
// inet_ntop: it is written for every row of a history.
ipv4_text to_text(const ipv4_address& address);
// The same text at out, which has ipv4_text_room bytes; returns its end.
char* write_text(char* out, const ipv4_address& address);

struct address_and_port {
  ipv4_address address;
  std::uint16_t port;
};

// "address" (port 80) or "address:port"; nothing for a bad address or a bad
// port.
std::optional<address_and_port> parse_address_and_port(std::string_view text);

// What a failed conversion of an address (or of a port) tells: the system's
// text for the invalid-argument error, EINVAL ("Invalid argument").
std::string invalid_address_text();

struct ipv4_hash {
  std::size_t operator()(const ipv4_address& address) const noexcept { return address.to_uint(); }
};

}  // namespace rovev
