#include "import/lists/ansi_decoder.hpp"

namespace rovev {

ansi_decoder::ansi_decoder() : converter_("UTF-8", "CP932") {}

bool ansi_decoder::ansi_to_utf8(std::string_view raw, std::string& utf8) {
  return converter_.convert(raw, utf8);
}

}  // namespace rovev
