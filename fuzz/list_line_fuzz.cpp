// A list line: CP932 decoding, comma splitting, then every conversion a
// list field can meet.
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/number_field.hpp"
#include "import/lists/ansi_decoder.hpp"
#include "import/lists/list_file_reader.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static rovev::ansi_decoder decoder;
  const std::string_view raw(reinterpret_cast<const char*>(data), size);
  std::string text;
  if (!decoder.ansi_to_utf8(raw.substr(0, raw.find('\0')), text)) return 0;
  for (const std::string_view field : rovev::split_fields(text, ",")) {
    std::uint32_t u32;
    std::int32_t i32;
    std::uint16_t u16;
    rovev::try_to_number(field, u32);
    rovev::try_to_number(field, i32);
    rovev::try_to_number(field, u16);
    for (const std::string_view piece : rovev::split_fields(field, "/"))
      rovev::try_to_number(piece, u32);
    rovev::parse_address_and_port(field);
    rovev::ll_addr mac;
    mac.parse(field);
  }
  return 0;
}
