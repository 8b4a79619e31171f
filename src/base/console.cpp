#include "base/console.hpp"

#include <langinfo.h>
#include <poll.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>

namespace rovev {

std::string console::user_charset() { return nl_langinfo(CODESET); }

bool console::is_progress_terminal(int err) {
  const char* terminal = std::getenv("TERM");
  return ::isatty(err) == 1 && terminal != nullptr && *terminal != '\0' &&
         std::string_view(terminal) != "dumb";
}

console::console(const std::string& charset, int out, int err, bool shows_progress)
    : out_(out),
      err_(err),
      shows_progress_(shows_progress),
      out_is_terminal_(shows_progress && ::isatty(out) == 1) {
  if (charset == "UTF-8") return;
  try {
    converter_.emplace(charset.c_str(), "UTF-8");
  } catch (const std::runtime_error&) {
    return;  // a set iconv does not know gets UTF-8
  }
  std::string probe;
  if (!converter_->convert("取り込み", probe)) converter_.reset();
}

std::string console::localize(std::string_view utf8_template) {
  std::string converted;
  if (converter_ && converter_->convert(utf8_template, converted)) return converted;
  return std::string(utf8_template);
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

void console::draw_progress(std::string_view line) {
  std::string bytes = "\r";
  bytes += line;
  bytes += "\x1b[K";
  put(err_, bytes);
  progress_drawn_ = true;
}

void console::erase_progress() {
  if (!progress_drawn_) return;
  progress_drawn_ = false;
  put(err_, "\r\x1b[K");
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
