#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace rovev::testing {

// A readable name for a parameterised case made from its text, stable from
// build to build: the case's place in its table, then the text's letters and
// digits, every other run of bytes one underscore ("07_2014_13_01_00_00_00").
inline std::string case_name(std::size_t index, std::string_view text) {
  std::string words;
  for (const char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
      words += c;
    } else if (!words.empty() && words.back() != '_') {
      words += '_';
    }
  }
  if (!words.empty() && words.back() == '_') words.pop_back();
  if (words.empty()) words = text.empty() ? "empty" : "signs";
  return (index < 10 ? "0" : "") + std::to_string(index) + "_" + words;
}

}  // namespace rovev::testing
