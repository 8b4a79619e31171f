#include "os/process.hpp"

#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>

namespace rovev {
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

void set_up_process() {
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
}

std::vector<std::string> command_line_arguments(int argc, char* argv[]) {
  return {argv, argv + argc};
}

}  // namespace rovev
