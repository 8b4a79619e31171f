#include <io.h>
#include <windows.h>

#include <atomic>

#include "os/console_windows.hpp"
#include "os/erasing_interruptions.hpp"

namespace rovev {
namespace {

// All that the handler, which runs on a thread of its own, may reach: the
// console and whether a progress line is on it.
std::atomic<HANDLE> progress_console{INVALID_HANDLE_VALUE};
std::atomic<bool> progress_on_screen{false};

// Ctrl-C, Ctrl-Break or the console window closed: the line is erased, and
// the next handler, Windows' own, ends the program as it would have.
BOOL WINAPI erase_progress(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT && event != CTRL_CLOSE_EVENT) {
    return FALSE;
  }
  if (progress_on_screen.exchange(false)) {
    const HANDLE console = progress_console.load();
    if (takes_terminal_sequences(console)) {
      write_console(console, L"\r\x1b[K");
    } else {
      write_console(console, L"\r");
      erase_to_line_end(console);
    }
  }
  return FALSE;
}

}  // namespace

struct erasing_interruptions::previous_handling {};

erasing_interruptions::erasing_interruptions(output_stream terminal) {
  progress_console = reinterpret_cast<HANDLE>(::_get_osfhandle(terminal.descriptor_));
  ::SetConsoleCtrlHandler(erase_progress, TRUE);
}

erasing_interruptions::~erasing_interruptions() {
  ::SetConsoleCtrlHandler(erase_progress, FALSE);
  progress_on_screen = false;
}

void erasing_interruptions::line_on_screen(bool on) { progress_on_screen = on; }

}  // namespace rovev
