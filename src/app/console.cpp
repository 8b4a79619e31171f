#include "app/console.hpp"

#include <stdexcept>

#include "base/display_columns.hpp"

namespace rovev {

bool console::shows_progress_on(int out, int err) {
  return output_stream::shows_progress_on(output_stream(out), output_stream(err));
}

console::console(const std::string& charset, int out, int err, bool shows_progress)
    : out_(out),
      err_(err),
      shows_progress_(shows_progress),
      out_is_terminal_(shows_progress && out_.is_terminal()) {
  // Made first: a lack of memory for it leaves nothing to undo.
  if (charset != "UTF-8") open_converter(charset);

  if (shows_progress_) interruptions_.emplace(err_);
}

// A set iconv does not know, or one that cannot hold Japanese, gets UTF-8.
void console::open_converter(const std::string& charset) {
  try {
    converter_.emplace(charset.c_str(), "UTF-8");
  } catch (const std::runtime_error&) {
    return;
  }
  std::string probe;
  if (!converter_->convert("取り込み", probe)) converter_.reset();
}

std::string console::localize(std::string_view utf8_text) {
  std::string converted;
  if (converter_ && converter_->convert(utf8_text, converted)) return converted;
  return std::string(utf8_text);
}

void console::write(channel where, std::string_view bytes) {
  if (where == channel::err || out_is_terminal_) erase_progress();
  put(where == channel::out ? out_ : err_, bytes);
}

// One column stays free: a terminal that wraps as soon as its last column
// is written would leave the line's row behind. Where no form fits, none
// is drawn.
void console::draw_progress(const std::vector<std::string>& utf8_forms) {
  const std::string_view utf8_line = first_that_fits(utf8_forms, err_.columns() - 1);
  if (utf8_line.empty()) {
    erase_progress();
    return;
  }
  std::string bytes = "\r";
  bytes += localize(utf8_line);
  bytes += "\x1b[K";
  progress_drawn_ = true;
  if (interruptions_) interruptions_->line_on_screen(true);
  put(err_, bytes);
}

void console::erase_progress() {
  if (!progress_drawn_) return;
  progress_drawn_ = false;
  put(err_, "\r\x1b[K");
  if (interruptions_) interruptions_->line_on_screen(false);
}

// A write that fails for good drops the line and is remembered.
void console::put(output_stream stream, std::string_view bytes) {
  if (!stream.write_all(bytes)) failed_ = true;
}

}  // namespace rovev
