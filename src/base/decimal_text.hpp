#pragma once

#include <charconv>
#include <string>
#include <string_view>

namespace rovev {

// Room for any integer of up to 64 bits in decimal, its sign included.
constexpr std::size_t decimal_room = 24;

// Writes the number in decimal at out, which has decimal_room bytes, and
// returns the end: no formatting library, no allocation.
template <class Integer>
char* format_decimal(char* out, Integer value) {
  return std::to_chars(out, out + decimal_room, value).ptr;
}

template <class Integer>
void append_decimal(std::string& out, Integer value) {
  char digits[decimal_room];
  out.append(digits, format_decimal(digits, value));
}

// A fixed text with one number in decimal in it.
template <class Integer>
std::string with_number(std::string_view before, Integer value, std::string_view after = {}) {
  std::string text(before);
  append_decimal(text, value);
  text += after;
  return text;
}

}  // namespace rovev
