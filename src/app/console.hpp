#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/report.hpp"
#include "os/charset_converter.hpp"
#include "os/erasing_interruptions.hpp"
#include "os/output_stream.hpp"

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
// wraps, and erases it the same way before any other line goes to the
// terminal. While it shows progress, an interruption (Ctrl-C) erases the
// line before it ends the program as it would have.
class console final : public report {
 public:
  // Whether a progress line can be drawn on err (output_stream::shows_progress_on).
  static bool shows_progress_on(int out, int err);

  // charset: the set the lines are written in (user_charset()); out and
  // err: descriptors of the C runtime. Throws std::bad_alloc when there is
  // no memory for the conversion.
  explicit console(const std::string& charset, int out = output_stream::standard_output,
                   int err = output_stream::standard_error, bool shows_progress = false);
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
  void put(output_stream stream, std::string_view bytes);

  std::optional<charset_converter> converter_;  // none: templates as stored
  output_stream out_;
  output_stream err_;
  bool shows_progress_;
  bool out_is_terminal_;  // standard output shares the terminal
  bool progress_drawn_ = false;
  bool failed_ = false;
  std::optional<erasing_interruptions> interruptions_;  // while it shows progress
};

}  // namespace rovev
