#include "base/console.hpp"

#include <langinfo.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

#include "base/display_columns.hpp"

namespace rovev {

std::string console::user_charset() { return nl_langinfo(CODESET); }

bool console::shows_progress_on(int out, int err) {
  const char* terminal = std::getenv("TERM");
  if (::isatty(err) != 1 || terminal == nullptr || *terminal == '\0' ||
      std::string_view(terminal) == "dumb") {
    return false;
  }
  struct stat out_status {};
  struct stat err_status {};
  struct stat null_status {};
  if (::fstat(out, &out_status) != 0 || ::fstat(err, &err_status) != 0) return false;
  if (S_ISREG(out_status.st_mode)) return true;
  if (!S_ISCHR(out_status.st_mode)) return false;
  return out_status.st_rdev == err_status.st_rdev ||
         (::stat("/dev/null", &null_status) == 0 && S_ISCHR(null_status.st_mode) &&
          out_status.st_rdev == null_status.st_rdev);
}

console::console(const std::string& charset, int out, int err, bool shows_progress)
    : out_(out),
      err_(err),
      shows_progress_(shows_progress),
      out_is_terminal_(shows_progress && ::isatty(out) == 1) {
  // Made first: a lack of memory for it leaves nothing to undo.
  if (charset != "UTF-8") open_converter(charset);

  if (shows_progress_) signals_.emplace(err_);
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

namespace {

// An output opened non-blocking (by the program that reads it) says "not
// yet" when it is full: wait until it takes bytes again. False when waiting
// itself fails.
bool wait_until_writable(int descriptor) {
  pollfd output{descriptor, POLLOUT, 0};
  int ready;
  while ((ready = ::poll(&output, 1, -1)) < 0 && errno == EINTR) {
  }
  return ready > 0;
}

}  // namespace

void console::write(channel where, std::string_view bytes) {
  if (where == channel::err || out_is_terminal_) erase_progress();
  put(where == channel::out ? out_ : err_, bytes);
}

// One column stays free: a terminal that wraps as soon as its last column
// is written would leave the line's row behind. Where no form fits, none
// is drawn.
void console::draw_progress(const std::vector<std::string>& utf8_forms) {
  const std::string_view utf8_line = first_that_fits(utf8_forms, columns() - 1);
  if (utf8_line.empty()) {
    erase_progress();
    return;
  }
  std::string bytes = "\r";
  bytes += localize(utf8_line);
  bytes += "\x1b[K";
  progress_drawn_ = true;
  if (signals_) signals_->line_on_screen(true);
  put(err_, bytes);
}

void console::erase_progress() {
  if (!progress_drawn_) return;
  progress_drawn_ = false;
  put(err_, "\r\x1b[K");
  if (signals_) signals_->line_on_screen(false);
}

std::size_t console::columns() const {
  winsize size{};
  if (::ioctl(err_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return 80;
}

// Only a real failure (a closed pipe, a full device, a file-size limit, a bad
// descriptor, an I/O error) drops the bytes; what is only "not yet" or an
// interruption is tried again.
void console::put(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
        wait_until_writable(descriptor)) {
      continue;
    }
    failed_ = true;
    return;
  }
}

}  // namespace rovev
