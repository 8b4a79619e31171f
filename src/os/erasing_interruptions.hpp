#pragma once

#include <memory>

#include "os/output_stream.hpp"

namespace rovev {

// While it lives, an interruption of the program (SIGINT, SIGTERM and
// SIGHUP; on Windows the console's Ctrl-C, Ctrl-Break and close events)
// first erases the progress line on the terminal, when one is on the
// screen, and then ends the program as it would have, with the same status;
// a signal the program was started to ignore stays ignored. It gives the old
// handling back when it goes. A handler reaches only what it may (one write
// and a flag), so a process has one of these at a time.
class erasing_interruptions {
 public:
  explicit erasing_interruptions(output_stream terminal);
  ~erasing_interruptions();
  erasing_interruptions(const erasing_interruptions&) = delete;
  erasing_interruptions& operator=(const erasing_interruptions&) = delete;

  // Whether a progress line is on the screen: set before it is drawn and
  // cleared after it is erased, so that an interruption in between erases
  // once more, which shows nothing.
  void line_on_screen(bool on);

 private:
  struct previous_handling;  // the platform's own
  std::unique_ptr<previous_handling> previous_;
};

}  // namespace rovev
