#include "base/display_columns.hpp"

namespace rovev {
namespace {

// The wide and fullwidth ranges of Unicode's East Asian Width.
bool is_wide(char32_t code) {
  return code >= 0x1100 &&
         (code <= 0x115F || code == 0x2329 || code == 0x232A ||
          (code >= 0x2E80 && code <= 0xA4CF && code != 0x303F) ||
          (code >= 0xAC00 && code <= 0xD7A3) || (code >= 0xF900 && code <= 0xFAFF) ||
          (code >= 0xFE10 && code <= 0xFE19) || (code >= 0xFE30 && code <= 0xFE6F) ||
          (code >= 0xFF00 && code <= 0xFF60) || (code >= 0xFFE0 && code <= 0xFFE6) ||
          (code >= 0x20000 && code <= 0x3FFFD));
}

// The length in bytes of the character that begins with lead; 1 for a byte
// that begins none.
std::size_t sequence_length(unsigned char lead) {
  if (lead >= 0xC2 && lead < 0xE0) return 2;
  if (lead >= 0xE0 && lead < 0xF0) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 1;
}

}  // namespace

std::size_t display_columns(std::string_view utf8) {
  std::size_t used = 0;
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    std::size_t length = sequence_length(lead);
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t next = 1; next < length; ++next) {
      const auto byte = at + next < utf8.size() ? static_cast<unsigned char>(utf8[at + next]) : 0;
      if ((byte & 0xC0) != 0x80) {
        length = 1;  // a broken sequence: its first byte alone
        code = 0;
        break;
      }
      code = code << 6 | (byte & 0x3F);
    }
    used += is_wide(code) ? 2 : 1;
    at += length;
  }
  return used;
}

std::string_view first_that_fits(const std::vector<std::string>& forms, std::size_t columns) {
  for (const std::string& form : forms) {
    if (display_columns(form) <= columns) return form;
  }
  return {};
}

}  // namespace rovev
