#include "base/charset_converter.hpp"

#include <cerrno>
#include <stdexcept>

namespace rovev {

charset_converter::charset_converter(const char* to_charset, const char* from_charset)
    : descriptor_(iconv_open(to_charset, from_charset)) {
  if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
    throw std::runtime_error(std::string("no conversion from ") + from_charset + " to " +
                             to_charset);
  }
}

charset_converter::~charset_converter() { iconv_close(descriptor_); }

bool charset_converter::convert(std::string_view text, std::string& converted) {
  iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Room for the text twice over at first; the buffer doubles while iconv
  // finds it too small.
  converted.resize(text.size() * 2 + 16);
  std::size_t written = 0;
  // The text first, then the return to the initial shift state.
  for (bool flushing = false;;) {
    char* out = converted.data() + written;
    std::size_t out_left = converted.size() - written;
    const std::size_t result = flushing ? iconv(descriptor_, nullptr, nullptr, &out, &out_left)
                                        : iconv(descriptor_, &in, &in_left, &out, &out_left);
    written = converted.size() - out_left;
    if (result == static_cast<std::size_t>(-1)) {
      if (errno != E2BIG) return false;
      converted.resize(converted.size() * 2);
    } else if (flushing) {
      break;
    } else {
      flushing = true;
    }
  }
  converted.resize(written);
  return true;
}

}  // namespace rovev
