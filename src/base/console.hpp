#pragma once

#include <unistd.h>

#include <optional>
#include <string>

#include "base/charset_converter.hpp"
#include "base/report.hpp"

namespace rovev {

// The program's report: standard output and standard error. Templates are
// written in the character set of the user's locale when that set can hold
// Japanese (Shift_JIS, CP932, EUC-JP, ...) and as UTF-8 otherwise (UTF-8,
// C, POSIX, Latin-1). Every line is written at once, so the two streams keep
// their order. A write that fails (a closed stream, a reader that has gone,
// a full device) never stops the program; it is remembered instead.
class console final : public report {
 public:
  // The character set of the environment's locale (LC_ALL, LC_CTYPE, LANG),
  // which also becomes the program's C locale.
  static std::string user_charset();

  explicit console(const std::string& charset, int out = STDOUT_FILENO, int err = STDERR_FILENO);

  void write(channel where, std::string_view bytes) override;

  // Whether any write failed.
  bool failed() const { return failed_; }

 protected:
  std::string localize(std::string_view utf8_template) override;

 private:
  std::optional<charset_converter> converter_;  // none: templates as stored
  int out_;
  int err_;
  bool failed_ = false;
};

}  // namespace rovev
