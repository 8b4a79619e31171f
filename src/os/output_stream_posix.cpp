#include "os/output_stream.hpp"

#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace rovev {
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

bool output_stream::is_terminal() const { return ::isatty(descriptor_) == 1; }

std::size_t output_stream::columns() const {
  winsize size{};
  if (::ioctl(descriptor_, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) {
    return size.ws_col;
  }
  return 80;
}

// Only a real failure (a closed pipe, a full device, a file-size limit, a bad
// descriptor, an I/O error) drops the bytes; what is only "not yet" or an
// interruption is tried again.
bool output_stream::write_all(std::string_view bytes) const {
  while (!bytes.empty()) {
    const ssize_t written = ::write(descriptor_, bytes.data(), bytes.size());
    if (written > 0) {
      bytes.remove_prefix(static_cast<std::size_t>(written));
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
        wait_until_writable(descriptor_)) {
      continue;
    }
    return false;
  }
  return true;
}

bool output_stream::shows_progress_on(output_stream out, output_stream err) {
  const char* terminal = std::getenv("TERM");
  if (!err.is_terminal() || terminal == nullptr || *terminal == '\0' ||
      std::string_view(terminal) == "dumb") {
    return false;
  }
  struct stat out_status {};
  struct stat err_status {};
  struct stat null_status {};
  if (::fstat(out.descriptor_, &out_status) != 0 || ::fstat(err.descriptor_, &err_status) != 0) {
    return false;
  }
  if (S_ISREG(out_status.st_mode)) return true;
  if (!S_ISCHR(out_status.st_mode)) return false;
  return out_status.st_rdev == err_status.st_rdev ||
         (::stat("/dev/null", &null_status) == 0 && S_ISCHR(null_status.st_mode) &&
          out_status.st_rdev == null_status.st_rdev);
}

}  // namespace rovev
