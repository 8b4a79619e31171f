#pragma once

#include <signal.h>

#include <iterator>

namespace rovev {

// While it lives, SIGINT, SIGTERM and SIGHUP first erase the progress line
// on the terminal, when one is on the screen, and then end the program as
// they would have, with the same status; a signal the program was started
// to ignore stays ignored. It gives the old actions back when it goes. The
// handlers reach only what they may (one write and a flag), so a process
// has one of these at a time.
class erasing_signals {
 public:
  explicit erasing_signals(int terminal);
  ~erasing_signals();
  erasing_signals(const erasing_signals&) = delete;
  erasing_signals& operator=(const erasing_signals&) = delete;

  // Whether a progress line is on the screen: set before it is drawn and
  // cleared after it is erased, so that a signal in between erases once
  // more, which shows nothing.
  void line_on_screen(bool on);

 private:
  static constexpr int taken[] = {SIGINT, SIGTERM, SIGHUP};
  struct sigaction previous_[std::size(taken)] = {};
};

}  // namespace rovev
