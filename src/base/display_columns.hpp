#pragma once

#include <cstddef>
#include <string_view>

namespace rovev {

// The longest start of a UTF-8 text that a terminal shows in so many
// columns, cut between characters: an East Asian wide or fullwidth
// character (kanji, kana, fullwidth signs) takes two columns, any other one
// (half-width katakana included) one; a byte that begins no character
// counts as one.
std::string_view fit_to_columns(std::string_view utf8, std::size_t columns);

}  // namespace rovev
