#include "base/input_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace rovev {
namespace {

constexpr std::size_t buffer_size = 64 * 1024;

bool is_regular(int status_result, const struct stat& status) {
  return status_result == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::unique_ptr<input_file> input_file::open(const boost::filesystem::path& file) {
  struct stat status {};
  if (!is_regular(::stat(file.c_str(), &status), status)) return nullptr;
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (descriptor < 0) return nullptr;
  auto opened = std::make_unique<input_file>(descriptor);
  // The name may have been given to something else between the two looks.
  if (!is_regular(::fstat(descriptor, &status), status)) return nullptr;
  return opened;
}

input_file::input_file(int descriptor) : descriptor_(descriptor), buffer_(buffer_size) {}

input_file::~input_file() { ::close(descriptor_); }

input_file::int_type input_file::underflow() {
  if (read_failed_) return traits_type::eof();
  ssize_t count;
  do {
    count = ::read(descriptor_, buffer_.data(), buffer_.size());
  } while (count < 0 && errno == EINTR);
  if (count <= 0) {
    read_failed_ = count < 0;
    return traits_type::eof();
  }
  deliver(buffer_.data(), buffer_.data() + count);
  return traits_type::to_int_type(buffer_[0]);
}

}  // namespace rovev
