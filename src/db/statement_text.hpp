#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace rovev {

// A statement's text is written from one description of it, describe(sink),
// appended piece by piece into a buffer that the caller reuses: once the
// buffer has grown, a statement costs no allocation, and its text is
// written once.

// The length of a value as a literal: quotes doubled when escaped, in
// single quotes when quoted.
inline std::size_t value_text_size(std::string_view value, bool quote, bool escape) {
  const auto doubled =
      escape ? static_cast<std::size_t>(std::count(value.begin(), value.end(), '\'')) : 0;
  return value.size() + doubled + (quote ? 2 : 0);
}

// Writes that literal at out and returns its end.
inline char* write_value_text(char* out, std::string_view value, bool quote, bool escape) {
  if (quote) *out++ = '\'';
  // Every single quote doubled; the runs between them go in whole.
  for (std::size_t at; escape && (at = value.find('\'')) != std::string_view::npos;) {
    out = std::copy_n(value.data(), at + 1, out);
    *out++ = '\'';
    value.remove_prefix(at + 1);
  }
  out = std::copy(value.begin(), value.end(), out);
  if (quote) *out++ = '\'';
  return out;
}

// Appends the pieces of a text.
class text_appender {
 public:
  explicit text_appender(std::string& out) : out_(out) {}
  void put(char c) { out_ += c; }
  void put(std::string_view text) { out_ += text; }
  void put_value(std::string_view value, bool quote, bool escape) {
    const std::size_t at = out_.size();
    out_.resize(at + value_text_size(value, quote, escape));
    write_value_text(out_.data() + at, value, quote, escape);
  }

 private:
  std::string& out_;
};

// The text that describe(sink) gives, in out in place of what it held.
template <class Describe>
void write_text(std::string& out, const Describe& describe) {
  out.clear();
  text_appender appender(out);
  describe(appender);
}

}  // namespace rovev
