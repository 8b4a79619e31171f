#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace rovev {

// One iconv conversion, opened once by its owner and closed with it.
class charset_converter {
 public:
  // Throws std::bad_alloc when there is no memory for it, std::runtime_error
  // when the system has no such conversion or cannot open one (and why).
  charset_converter(const char* to_charset, const char* from_charset);
  ~charset_converter();
  charset_converter(const charset_converter&) = delete;
  charset_converter& operator=(const charset_converter&) = delete;

  // The whole text converted into converted; false when the text is not
  // valid in the source set or cannot be written in the target set.
  bool convert(std::string_view text, std::string& converted);
  // The same, appended to what converted holds.
  bool append(std::string_view text, std::string& converted);

 private:
  iconv_t descriptor_;
};

}  // namespace rovev
