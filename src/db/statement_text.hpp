#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

namespace rovev {

// A statement's text is written from one description of it, describe(sink),
// measured and then written piece by piece into a buffer that the caller
// reuses: once the buffer has grown, a statement costs no allocation, and
// its text is written once.

// The length of a value as a literal: quotes doubled when escaped, in
// single quotes when quoted.
inline std::size_t value_text_size(std::string_view value, bool quote, bool escape) {
  const auto doubled =
      escape ? static_cast<std::size_t>(std::count(value.begin(), value.end(), '\'')) : 0;
  return value.size() + doubled + (quote ? 2 : 0);
}

// The most characters that literal can take, every character a quote: room
// to write it into without counting its quotes first.
inline std::size_t value_text_room(std::string_view value, bool quote, bool escape) {
  return value.size() * (escape ? 2 : 1) + (quote ? 2 : 0);
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

// Counts the characters of a text's pieces.
class text_measure {
 public:
  void put(char) { ++size_; }
  void put(std::string_view text) { size_ += text.size(); }
  void put_value(std::string_view value, bool quote, bool escape) {
    size_ += value_text_size(value, quote, escape);
  }
  std::size_t size() const { return size_; }

 private:
  std::size_t size_ = 0;
};

// Writes the pieces of a text into room measured for them.
class text_writer {
 public:
  explicit text_writer(char* out) : out_(out) {}
  void put(char c) { *out_++ = c; }
  void put(std::string_view text) { out_ = std::copy(text.begin(), text.end(), out_); }
  void put_value(std::string_view value, bool quote, bool escape) {
    out_ = write_value_text(out_, value, quote, escape);
  }

 private:
  char* out_;
};

// The text that describe(sink) gives, in out in place of what it held:
// measured first, then written into its room.
template <class Describe>
void write_text(std::string& out, const Describe& describe) {
  text_measure measure;
  describe(measure);
  out.resize(measure.size());
  text_writer writer(out.data());
  describe(writer);
}

}  // namespace rovev
