#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "base/charset_converter.hpp"
#include "base/report.hpp"

namespace rovev {

// The program's report: standard output and standard error. Templates are
// written in the character set of the user's locale when that set can hold
// Japanese (Shift_JIS, CP932, EUC-JP, ...) and as UTF-8 otherwise (UTF-8,
// C, POSIX, Latin-1). Every write is flushed, so the two streams keep their
// order.
class console final : public report {
 public:
  // The character set of the environment's locale (LC_ALL, LC_CTYPE, LANG),
  // which also becomes the program's C locale.
  static std::string user_charset();

  explicit console(const std::string& charset, std::FILE* out = stdout, std::FILE* err = stderr);

  void write(channel where, std::string_view bytes) override;

 protected:
  std::string localize(std::string_view utf8_template) override;

 private:
  std::optional<charset_converter> converter_;  // none: templates as stored
  std::FILE* out_;
  std::FILE* err_;
};

}  // namespace rovev
