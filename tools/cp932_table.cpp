// Prints how the list reader decodes every sequence of one or two bytes of
// code page 932, a line each: the bytes, then the UTF-8 it gives, or "-"
// where it refuses them. Two builds of the tool decode alike when their
// tables are the same bytes (scripts/test --windows compares them).
#include <cstdio>
#include <string>

#include "import/lists/ansi_decoder.hpp"

namespace {

std::string hex(const std::string& bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string text;
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    text += digits[byte >> 4];
    text += digits[byte & 0xF];
  }
  return text;
}

bool is_lead_byte(unsigned byte) { return (byte >= 0x81 && byte <= 0x9F) || byte >= 0xE0; }

}  // namespace

int main() {
  rovev::ansi_decoder decoder;
  std::string decoded;
  const auto print = [&](const std::string& bytes) {
    const bool taken = decoder.ansi_to_utf8(bytes, decoded);
    std::printf("%s %s\n", hex(bytes).c_str(), taken ? hex(decoded).c_str() : "-");
  };
  for (unsigned first = 0; first <= 0xFF; ++first) {
    print(std::string(1, static_cast<char>(first)));
    if (!is_lead_byte(first)) continue;
    for (unsigned second = 0; second <= 0xFF; ++second) {
      print(std::string{static_cast<char>(first), static_cast<char>(second)});
    }
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
