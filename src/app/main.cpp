#include <fcntl.h>

#include <cerrno>
#include <csignal>
#include <exception>

#include "app/command_line.hpp"
#include "base/console.hpp"

namespace {

// A standard stream that is closed gets /dev/null, opened for reading, in
// its place, so that no file the import opens takes its number: a line
// written there then fails, and is noted, instead of landing in that file.
void hold_closed_standard_streams() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDONLY);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  hold_closed_standard_streams();
  // A reader of the output that goes away must not end the import: the
  // console notes the failed write and the status says so.
  std::signal(SIGPIPE, SIG_IGN);
  rovev::console console(rovev::console::user_charset());
  int status = 1;
  try {
    status = rovev::run_command_line(argc, argv, console);
  } catch (const std::exception& error) {
    console.error(rovev::messages::aborted_unexpectedly, error.what());
  } catch (...) {
    console.error(rovev::messages::aborted_unexpectedly, "unknown error");
  }
  return console.failed() ? 1 : status;
}
