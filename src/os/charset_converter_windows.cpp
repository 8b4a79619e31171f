#include <windows.h>

#include <cctype>
#include <stdexcept>

#include "os/charset_converter.hpp"

namespace rovev {
namespace {

// The code page of a set as the C library names it; letter case, "-" and
// "_" do not matter.
UINT code_page_of(const char* charset) {
  std::string name;
  for (const char* c = charset; *c != '\0'; ++c) {
    if (*c != '-' && *c != '_')
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
  }
  if (name == "UTF8") return CP_UTF8;
  if (name == "CP932" || name == "SHIFTJIS" || name == "SJIS" || name == "WINDOWS31J" ||
      name == "MS932") {
    return 932;
  }
  if (name == "EUCJP") return 20932;
  return 0;
}

}  // namespace

struct charset_converter::conversion {
  UINT from;
  UINT to;
};

charset_converter::charset_converter(const char* to_charset, const char* from_charset)
    : conversion_(std::make_unique<conversion>(
          conversion{code_page_of(from_charset), code_page_of(to_charset)})) {
  if (conversion_->from == 0 || conversion_->to == 0) {
    throw std::runtime_error(std::string("no conversion from ") + from_charset + " to " +
                             to_charset);
  }
}

charset_converter::~charset_converter() = default;

bool charset_converter::convert(std::string_view text, std::string& converted) {
  converted.clear();
  return append(text, converted);
}

// Through UTF-16: a text that is not valid in the source set, or a
// character the target set has not, fails the whole text.
bool charset_converter::append(std::string_view text, std::string& converted) {
  if (text.empty()) return true;
  const int size = static_cast<int>(text.size());
  const int wide_size =
      ::MultiByteToWideChar(conversion_->from, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (wide_size == 0) return false;
  std::wstring wide(static_cast<std::size_t>(wide_size), L'\0');
  ::MultiByteToWideChar(conversion_->from, MB_ERR_INVALID_CHARS, text.data(), size, wide.data(),
                        wide_size);
  const bool to_utf8 = conversion_->to == CP_UTF8;
  const DWORD flags = to_utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL defaulted = FALSE;
  BOOL* used_default = to_utf8 ? nullptr : &defaulted;
  const int bytes_size = ::WideCharToMultiByte(conversion_->to, flags, wide.data(), wide_size,
                                               nullptr, 0, nullptr, used_default);
  if (bytes_size == 0 || defaulted) return false;
  const std::size_t start = converted.size();
  converted.resize(start + static_cast<std::size_t>(bytes_size));
  ::WideCharToMultiByte(conversion_->to, flags, wide.data(), wide_size, converted.data() + start,
                        bytes_size, nullptr, nullptr);
  return true;
}

// The lines are UTF-8 here: the standard streams write them in the form
// their output takes (output_stream_windows.cpp).
std::optional<std::string> user_charset() { return std::string("UTF-8"); }

}  // namespace rovev
