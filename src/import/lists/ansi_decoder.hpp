#pragma once

#include <string>
#include <string_view>

#include "os/charset_converter.hpp"

namespace rovev {

// Text in the appliance's code page, CP932, decoded to UTF-8 as the
// appliance's platform decodes it.
class ansi_decoder {
 public:
  ansi_decoder();

  // The raw bytes of one line as UTF-8; false when they are not CP932.
  bool ansi_to_utf8(std::string_view raw, std::string& utf8);

 private:
  charset_converter converter_;
};

}  // namespace rovev
