#include "base/charset_converter.hpp"

#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace rovev {

charset_converter::charset_converter(const char* to_charset, const char* from_charset)
    : descriptor_(iconv_open(to_charset, from_charset)) {
  if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
    const int error = errno;
    const std::string conversion = std::string(from_charset) + " to " + to_charset;
    // EINVAL: the system has no such conversion. Anything else (no memory,
    // no descriptor for its tables) is said as it is.
    if (error == EINVAL) throw std::runtime_error("no conversion from " + conversion);
    throw std::system_error(error, std::generic_category(),
                            "cannot open the conversion from " + conversion);
  }
}

charset_converter::~charset_converter() { iconv_close(descriptor_); }

bool charset_converter::convert(std::string_view text, std::string& converted) {
  converted.clear();
  return append(text, converted);
}

bool charset_converter::append(std::string_view text, std::string& converted) {
  iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Converted through a small buffer of its own, so that a long text costs
  // its converted size and no more.
  char chunk[16 * 1024];
  // The text first, then the return to the initial shift state.
  for (bool flushing = false;;) {
    char* out = chunk;
    std::size_t out_left = sizeof chunk;
    const std::size_t result = flushing ? iconv(descriptor_, nullptr, nullptr, &out, &out_left)
                                        : iconv(descriptor_, &in, &in_left, &out, &out_left);
    const int error = errno;
    converted.append(chunk, static_cast<std::size_t>(out - chunk));
    if (result == static_cast<std::size_t>(-1)) {
      if (error != E2BIG) return false;
    } else if (flushing) {
      return true;
    } else {
      flushing = true;
    }
  }
}

}  // namespace rovev
