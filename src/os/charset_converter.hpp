#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace rovev {

// One conversion between two character sets named as the C library names
// them ("UTF-8", "CP932", "EUC-JP", ...), opened once by its owner and
// closed with it.
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
  struct conversion;  // the platform's own
  std::unique_ptr<conversion> conversion_;
};

// The character set the console's lines are written in: that of the user's
// locale, which the process set-up has taken from the environment (LC_ALL,
// LC_CTYPE, LANG). When that locale could not be loaded, the set its name
// gives (ja_JP.SJIS: SJIS); nothing when the name gives none that can be
// written. Throws std::bad_alloc when there is no memory to find out.
std::optional<std::string> user_charset();

}  // namespace rovev
