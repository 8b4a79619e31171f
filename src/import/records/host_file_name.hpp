#pragma once

#include <cstdint>
#include <string_view>

namespace rovev {

// The number in a name of the form "host_" NUMBER SUFFIX, letters in any
// case, a signed 32-bit decimal number, matched from the first character;
// what follows the suffix is not looked at. 0 when the name does not match.
std::int32_t parse_host_file_name(std::string_view file_name, std::string_view suffix);

}  // namespace rovev
