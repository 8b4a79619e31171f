#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

namespace rovev {

// Whether the handle is a console.
inline bool is_console(HANDLE handle) {
  DWORD mode = 0;
  return ::GetConsoleMode(handle, &mode) != 0;
}

// Whether the console takes the terminal sequences the progress line is
// drawn with (erase to the end of the line).
inline bool takes_terminal_sequences(HANDLE console) {
  DWORD mode = 0;
  return ::GetConsoleMode(console, &mode) != 0 && (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0;
}

// Writes the text on the console as it is; false when it could not be
// written whole.
inline bool write_console(HANDLE console, std::wstring_view text) {
  while (!text.empty()) {
    DWORD written = 0;
    const auto size = static_cast<DWORD>(std::min<std::size_t>(text.size(), 16 * 1024));
    if (!::WriteConsoleW(console, text.data(), size, &written, nullptr) || written == 0) {
      return false;
    }
    text.remove_prefix(written);
  }
  return true;
}

// Erases from the cursor to the end of its row, where the console takes no
// terminal sequence: blanks up to the last column but one, and the cursor
// put back.
inline bool erase_to_line_end(HANDLE console) {
  CONSOLE_SCREEN_BUFFER_INFO screen{};
  if (!::GetConsoleScreenBufferInfo(console, &screen)) return false;
  const SHORT last = static_cast<SHORT>(screen.dwSize.X - 1);
  if (screen.dwCursorPosition.X < last) {
    const std::wstring blanks(static_cast<std::size_t>(last - screen.dwCursorPosition.X), L' ');
    if (!write_console(console, blanks)) return false;
  }
  return ::SetConsoleCursorPosition(console, screen.dwCursorPosition) != 0;
}

}  // namespace rovev
