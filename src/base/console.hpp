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
//
// A console that shows progress draws its progress line on standard error
// with a carriage return and erase-to-end-of-line only, and erases it the
// same way before any other line goes to the terminal.
class console final : public report {
 public:
  // The character set of the program's locale, which main has set from the
  // environment (LC_ALL, LC_CTYPE, LANG).
  static std::string user_charset();
  // Whether err is a terminal that takes a progress line: a terminal, and
  // TERM names one that is not "dumb".
  static bool is_progress_terminal(int err);

  explicit console(const std::string& charset, int out = STDOUT_FILENO, int err = STDERR_FILENO,
                   bool shows_progress = false);

  void write(channel where, std::string_view bytes) override;
  bool shows_progress() const override { return shows_progress_; }
  void erase_progress() override;

  // Whether any write failed.
  bool failed() const { return failed_; }

 protected:
  std::string localize(std::string_view utf8_template) override;
  void draw_progress(std::string_view line) override;

 private:
  void put(int descriptor, std::string_view bytes);

  std::optional<charset_converter> converter_;  // none: templates as stored
  int out_;
  int err_;
  bool shows_progress_;
  bool out_is_terminal_;  // standard output shares the terminal
  bool progress_drawn_ = false;
  bool failed_ = false;
};

}  // namespace rovev
