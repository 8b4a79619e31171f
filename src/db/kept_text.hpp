#pragma once

#include <string>
#include <string_view>
#include <type_traits>

namespace rovev {

// A view of a text that a statement builder keeps until it writes its
// statement: a literal, a view, or a string or text buffer that outlives
// the builder. A temporary that holds its own characters would be gone by
// then, so passing one does not compile.
class kept_text {
 public:
  template <class Text,
            std::enable_if_t<std::is_convertible_v<const Text&, std::string_view>, int> = 0>
  constexpr kept_text(const Text& text) : text_(text) {}
  // A prvalue that owns its characters; a view or a pointer owns none.
  template <class Text, std::enable_if_t<!std::is_reference_v<Text> &&
                                             !std::is_same_v<Text, std::string_view> &&
                                             !std::is_pointer_v<Text>,
                                         int> = 0>
  kept_text(Text&& text) = delete;

  constexpr operator std::string_view() const { return text_; }

 private:
  std::string_view text_;
};

}  // namespace rovev
