#pragma once

#include <algorithm>
#include <cassert>
#include <cstddef>
#include <string>
#include <string_view>

namespace rovev {

// A statement's text is written from one description of it, in two passes:
// the first measures it, the second writes it into room made for exactly
// that much. A statement costs no intermediate text, a row no allocation
// once the buffer has grown, and a long value is copied once.

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

// The first pass.
class text_measure {
 public:
  void put(char) { ++size; }
  void put(std::string_view text) { size += text.size(); }
  void put_value(std::string_view value, bool quote, bool escape) {
    size += value_text_size(value, quote, escape);
  }

  std::size_t size = 0;
};

// The second pass.
class text_writer {
 public:
  explicit text_writer(char* out) : at(out) {}
  void put(char c) { *at++ = c; }
  void put(std::string_view text) { at = std::copy(text.begin(), text.end(), at); }
  void put_value(std::string_view value, bool quote, bool escape) {
    at = write_value_text(at, value, quote, escape);
  }

  char* at;
};

// The text that describe(sink) gives, in out in place of what it held. The
// two passes must agree: a debug build checks that the second wrote exactly
// what the first measured.
template <class Describe>
void write_text(std::string& out, const Describe& describe) {
  text_measure measure;
  describe(measure);
  out.clear();
  out.resize(measure.size);
  text_writer writer(out.data());
  describe(writer);
  assert(writer.at == out.data() + out.size());
}

}  // namespace rovev
