// IPv4 text and the address-and-port form: exactly what glibc's reading
// accepts is accepted, as the same address; what is accepted prints back as
// the same address, and an address alone takes port 80.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "net/ipv4.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  if (text.find('\0') == std::string_view::npos) {
    boost::system::error_code error;
    const auto platform = boost::asio::ip::make_address_v4(std::string(text).c_str(), error);
    const auto own = rovev::ipv4_from_text(text);
    if (own.has_value() == static_cast<bool>(error) || (own && *own != platform)) std::abort();
  }
  if (const auto address = rovev::ipv4_from_text(text)) {
    if (rovev::ipv4_from_text(address->to_string()) != address) std::abort();
  }
  if (const auto value = rovev::parse_address_and_port(text)) {
    if (text.find(':') == std::string_view::npos && value->port != 80) std::abort();
  }
  if (size >= 4) {
    const rovev::ipv4_address address = rovev::ipv4_from_network_bytes(data);
    if (std::string_view(rovev::to_text(address)) != address.to_string()) std::abort();
  }
  return 0;
}
