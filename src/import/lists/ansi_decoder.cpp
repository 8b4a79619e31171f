#include "import/lists/ansi_decoder.hpp"

namespace rovev {
namespace {

bool is_lead_byte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Five single bytes that glibc's CP932 table refuses, in UTF-8 as the
// appliance's platform decodes them: 0x80 to U+0080, 0xA0 to U+F8F0 and
// 0xFD to 0xFF to U+F8F1 to U+F8F3. Null for every other byte.
const char* platform_single_byte(unsigned char byte) {
  switch (byte) {
    case 0x80:
      return "\xC2\x80";
    case 0xA0:
      return "\xEF\xA3\xB0";
    case 0xFD:
      return "\xEF\xA3\xB1";
    case 0xFE:
      return "\xEF\xA3\xB2";
    case 0xFF:
      return "\xEF\xA3\xB3";
    default:
      return nullptr;
  }
}

}  // namespace

ansi_decoder::ansi_decoder() : converter_("UTF-8", "CP932") {}

bool ansi_decoder::ansi_to_utf8(std::string_view raw, std::string& utf8) {
  utf8.clear();
  utf8.reserve(raw.size());  // the text is at least as long in UTF-8
  // iconv decodes the runs between those five bytes; they count as single
  // bytes only where a character begins (0x80 and 0xA0 are also second bytes).
  std::size_t run = 0;
  for (std::size_t at = 0; at < raw.size();) {
    const auto byte = static_cast<unsigned char>(raw[at]);
    if (const char* decoded = platform_single_byte(byte)) {
      if (!converter_.append(raw.substr(run, at - run), utf8)) return false;
      utf8 += decoded;
      run = ++at;
    } else {
      at += is_lead_byte(byte) ? 2 : 1;
    }
  }
  return converter_.append(raw.substr(run), utf8);
}

}  // namespace rovev
