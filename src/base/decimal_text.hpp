#pragma once

#include <charconv>
#include <cstdint>
#include <string>

namespace rovev {

// Appends the number in decimal, without the cost of a formatting library.
template <class Integer>
void append_decimal(std::string& out, Integer value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  out.append(digits, end);
}

template <class Integer>
std::string decimal_text(Integer value) {
  std::string text;
  append_decimal(text, value);
  return text;
}

}  // namespace rovev
