#pragma once

#include <unistd.h>

#include <optional>
#include <string>
#include <vector>

#include "base/charset_converter.hpp"
#include "base/erasing_signals.hpp"
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
// with a carriage return and erase-to-end-of-line only, in the longest of
// its forms that the terminal's width at each draw holds, so that it never
// wraps, and erases it the
// same way before any other line goes to the terminal. While it shows
// progress, SIGINT, SIGTERM and SIGHUP erase the line before they end the
// program as they would have.
class console final : public report {
 public:
  // The character set of the program's locale, which main has set from the
  // environment (LC_ALL, LC_CTYPE, LANG).
  static std::string user_charset();
  // Whether a progress line can be drawn on err: err is a terminal whose
  // TERM is set and not "dumb", and nothing else can write to that terminal
  // between two draws, because out is that same terminal, a regular file or
  // /dev/null. A pipe, a FIFO, a socket or another terminal may have a
  // reader that writes to the same screen (| tee, | less).
  static bool shows_progress_on(int out, int err);

  // Throws std::bad_alloc when there is no memory for the conversion.
  explicit console(const std::string& charset, int out = STDOUT_FILENO, int err = STDERR_FILENO,
                   bool shows_progress = false);
  console(const console&) = delete;
  console& operator=(const console&) = delete;

  void write(channel where, std::string_view bytes) override;
  bool shows_progress() const override { return shows_progress_; }
  void erase_progress() override;

  // Whether any write failed.
  bool failed() const { return failed_; }

 protected:
  std::string localize(std::string_view utf8_text) override;
  void draw_progress(const std::vector<std::string>& utf8_forms) override;

 private:
  void open_converter(const std::string& charset);
  void put(int descriptor, std::string_view bytes);
  // The terminal's width now, in columns.
  std::size_t columns() const;

  std::optional<charset_converter> converter_;  // none: templates as stored
  int out_;
  int err_;
  bool shows_progress_;
  bool out_is_terminal_;  // standard output shares the terminal
  bool progress_drawn_ = false;
  bool failed_ = false;
  std::optional<erasing_signals> signals_;  // while it shows progress
};

}  // namespace rovev
