#include <fcntl.h>
#include <malloc.h>

#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <exception>
#include <new>
#include <optional>

#include "app/command_line.hpp"
#include "base/console.hpp"
#include "db/sqlite_library.hpp"

namespace {

// A standard stream that is closed gets /dev/null, opened for reading, in
// its place, so that no file the import opens takes its number: a line
// written there then fails, and is noted, instead of landing in that file.
void hold_closed_standard_streams() {
  for (int descriptor = 0; descriptor <= 2; ++descriptor) {
    if (fcntl(descriptor, F_GETFD) == -1 && errno == EBADF) open("/dev/null", O_RDONLY);
  }
}

int run(rovev::console& console, int argc, char* argv[]) {
  int status = 1;
  try {
    const rovev::sqlite_library sqlite;
    status = rovev::run_command_line(argc, argv, console);
  } catch (const std::exception& error) {
    console.out_error(rovev::messages::aborted_unexpectedly, error.what());
  } catch (...) {
    console.out_error(rovev::messages::aborted_unexpectedly, "unknown error");
  }
  return console.failed() ? 1 : status;
}

}  // namespace

int main(int argc, char* argv[]) {
  hold_closed_standard_streams();
  // A long list line is held a few times over while it is written; those
  // blocks go back to the system as soon as they are freed, instead of
  // raising glibc's threshold for mapping blocks and staying in the heap.
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  // A reader of the output that goes away, or a file-size limit that the
  // output or vg.db reaches, must not end the import: the write fails
  // instead (EPIPE, EFBIG), the console notes it or SQLite reports its I/O
  // error, and the status says so.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGXFSZ, SIG_IGN);
  std::setlocale(LC_ALL, "");
  const bool shows_progress = rovev::console::shows_progress_on(STDOUT_FILENO, STDERR_FILENO);
  std::optional<rovev::console> console;
  try {
    console.emplace(rovev::console::user_charset(), STDOUT_FILENO, STDERR_FILENO, shows_progress);
  } catch (const std::bad_alloc& error) {
    // No memory for the conversion to the user's character set: the line
    // that says so goes out in UTF-8, which needs none.
    rovev::console plain("UTF-8");
    plain.out_error(rovev::messages::aborted_unexpectedly, error.what());
    return 1;
  }
  return run(*console, argc, argv);
}
