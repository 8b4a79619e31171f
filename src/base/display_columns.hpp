#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace rovev {

// The columns a terminal takes to show a UTF-8 text: an East Asian wide or
// fullwidth character (kanji, kana, fullwidth signs) takes two, any other one
// (half-width katakana included) one; a byte that begins no character
// counts as one.
std::size_t display_columns(std::string_view utf8);

// The first of the forms that a terminal shows whole in so many columns;
// empty when none fits. Nothing is ever cut, so no number shows in part.
std::string_view first_that_fits(const std::vector<std::string>& forms, std::size_t columns);

}  // namespace rovev
