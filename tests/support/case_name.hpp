#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>

namespace rovev::testing {

// A readable name for a parameterised case made from its text, stable from
// build to build: the case's place in its table, then the text's letters and
// digits, every other run of bytes one underscore, except that a blank reads
// "blank" and a sign that begins a number reads "minus" or "plus":
// "07_2014_13_01_blank_00_00_00", "16_result_minus_1".
inline std::string case_name(std::size_t index, std::string_view text) {
  std::string words;
  const auto separate = [&words] {
    if (!words.empty() && words.back() != '_') words += '_';
  };
  for (std::size_t at = 0; at < text.size(); ++at) {
    const auto c = static_cast<unsigned char>(text[at]);
    const bool after_word = at > 0 && std::isalnum(static_cast<unsigned char>(text[at - 1])) != 0;
    const char* said = c == ' '                  ? "blank"
                       : c == '-' && !after_word ? "minus"
                       : c == '+' && !after_word ? "plus"
                                                 : nullptr;
    if (std::isalnum(c) != 0) {
      words += static_cast<char>(c);
    } else if (said != nullptr) {
      separate();
      words += said;
      words += '_';
    } else {
      separate();
    }
  }
  if (!words.empty() && words.back() == '_') words.pop_back();
  if (words.empty()) words = text.empty() ? "empty" : "signs";
  return (index < 10 ? "0" : "") + std::to_string(index) + "_" + words;
}

}  // namespace rovev::testing
