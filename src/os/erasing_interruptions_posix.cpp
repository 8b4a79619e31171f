#include "os/erasing_interruptions.hpp"

#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <iterator>

namespace rovev {
namespace {

// All that a handler may reach: the terminal and whether a progress line is
// on it.
volatile std::sig_atomic_t progress_terminal = -1;
volatile std::sig_atomic_t progress_on_screen = 0;

constexpr int taken[] = {SIGINT, SIGTERM, SIGHUP};

// Erases the line with the one async-signal-safe write, then raises the
// signal again: SA_RESETHAND has given it back its default action.
void erase_progress_and_end(int signal_number) {
  if (progress_on_screen != 0) {
    [[maybe_unused]] const ssize_t written = ::write(progress_terminal, "\r\x1b[K", 4);
  }
  ::raise(signal_number);
}

}  // namespace

struct erasing_interruptions::previous_handling {
  struct sigaction actions[std::size(taken)] = {};
};

erasing_interruptions::erasing_interruptions(output_stream terminal)
    : previous_(std::make_unique<previous_handling>()) {
  progress_terminal = terminal.descriptor_;
  struct sigaction erasing {};
  erasing.sa_handler = erase_progress_and_end;
  erasing.sa_flags = SA_RESETHAND;
  sigemptyset(&erasing.sa_mask);
  for (const int signal_number : taken) sigaddset(&erasing.sa_mask, signal_number);
  for (std::size_t i = 0; i < std::size(taken); ++i) {
    sigaction(taken[i], nullptr, &previous_->actions[i]);
    // Ignored from the start (nohup, a background job): left so.
    if (previous_->actions[i].sa_handler == SIG_DFL) sigaction(taken[i], &erasing, nullptr);
  }
}

erasing_interruptions::~erasing_interruptions() {
  for (std::size_t i = 0; i < std::size(taken); ++i) {
    sigaction(taken[i], &previous_->actions[i], nullptr);
  }
  progress_on_screen = 0;
}

void erasing_interruptions::line_on_screen(bool on) { progress_on_screen = on ? 1 : 0; }

}  // namespace rovev
