#include <io.h>
#include <windows.h>

#include <cstdlib>

#include "os/console_windows.hpp"
#include "os/output_stream.hpp"
#include "os/wide_text_windows.hpp"

namespace rovev {
namespace {

HANDLE handle_of(int descriptor) { return reinterpret_cast<HANDLE>(::_get_osfhandle(descriptor)); }

bool is_handle(HANDLE handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }

// The line's LF ends as CR LF, as the platform's text files end them.
std::string with_crlf(std::string_view text) {
  std::string ended;
  ended.reserve(text.size() + 8);
  for (const char c : text) {
    if (c == '\n') ended += '\r';
    ended += c;
  }
  return ended;
}

// On a console the text goes as wide characters, so every character shows
// whatever the console's code page is; erase-to-end-of-line, where the
// console takes no terminal sequence, is done by hand.
bool write_to_console(HANDLE console, std::string_view utf8) {
  constexpr std::string_view erase = "\x1b[K";
  const bool sequences = takes_terminal_sequences(console);
  for (;;) {
    const std::size_t at = sequences ? std::string_view::npos : utf8.find(erase);
    if (!write_console(console, to_wide(with_crlf(utf8.substr(0, at))))) return false;
    if (at == std::string_view::npos) return true;
    if (!erase_to_line_end(console)) return false;
    utf8.remove_prefix(at + erase.size());
  }
}

// To a file or a pipe the bytes go in the ANSI code page where that is
// code page 932, as the appliance's console wrote them, else in UTF-8.
bool write_to_file(HANDLE file, std::string_view utf8) {
  std::string bytes = with_crlf(utf8);
  if (::GetACP() == 932) bytes = from_wide(to_wide(bytes), 932);
  std::string_view left = bytes;
  while (!left.empty()) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(left.size(), 1u << 20));
    // A reader that has gone (ERROR_NO_DATA, ERROR_BROKEN_PIPE) or a full
    // disk fails for good.
    if (!::WriteFile(file, left.data(), size, &written, nullptr) || written == 0) return false;
    left.remove_prefix(written);
  }
  return true;
}

}  // namespace

bool output_stream::is_terminal() const { return is_console(handle_of(descriptor_)); }

std::size_t output_stream::columns() const {
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (::GetConsoleScreenBufferInfo(handle_of(descriptor_), &screen)) {
    const int width = screen.srWindow.Right - screen.srWindow.Left + 1;
    if (width > 0) return static_cast<std::size_t>(width);
  }
  return 80;
}

// The bytes are the console's lines, which are UTF-8 on Windows (see
// user_charset).
bool output_stream::write_all(std::string_view bytes) const {
  const HANDLE handle = handle_of(descriptor_);
  if (!is_handle(handle)) return false;
  return is_console(handle) ? write_to_console(handle, bytes) : write_to_file(handle, bytes);
}

// Standard error a console, and standard output that same console (a
// process has one), a file, or the null device.
bool output_stream::shows_progress_on(output_stream out, output_stream err) {
  const HANDLE out_handle = handle_of(out.descriptor_);
  if (!is_console(handle_of(err.descriptor_)) || !is_handle(out_handle)) return false;
  if (is_console(out_handle)) return true;
  const DWORD type = ::GetFileType(out_handle);
  return type == FILE_TYPE_DISK || type == FILE_TYPE_CHAR;
}

}  // namespace rovev
