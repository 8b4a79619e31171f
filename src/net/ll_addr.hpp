#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace rovev {

// A six-octet link-layer (MAC) address, octets in transmission order.
class ll_addr {
 public:
  static constexpr std::size_t text_length = 17;

  ll_addr() = default;
  // Copies six raw bytes, first byte first.
  explicit ll_addr(const unsigned char* raw_bytes);
  // The address one of the text forms that parse accepts gives (the empty
  // text: all zero); nothing for any other text.
  static std::optional<ll_addr> from_text(std::string_view text);
  virtual ~ll_addr() = default;
  ll_addr(const ll_addr&) = default;
  ll_addr& operator=(const ll_addr&) = default;

  // Accepts, as the whole text, one of 00:1A:2B:3C:4D:5E, 001A2B:3C4D5E,
  // 00-1A-2B-3C-4D-5E or 001A2B-3C4D5E (hex digits in either case), or the
  // empty text, which leaves the octets as they are.
  bool parse(std::string_view text);

  // The canonical text in a value of its own; it reads as a string_view.
  struct text_buffer {
    std::array<char, text_length> chars;
    operator std::string_view() const { return {chars.data(), chars.size()}; }
  };

  // "%02X:%02X:%02X:%02X:%02X:%02X", without allocating.
  text_buffer to_text() const;
  // The same text at out, which has text_length bytes; returns its end.
  char* write_text(char* out) const;

  const std::array<std::uint8_t, 6>& octets() const { return octets_; }

 private:
  std::array<std::uint8_t, 6> octets_{};
};

}  // namespace rovev
