#include "os/disk_files.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "os/file_descriptor_posix.hpp"

namespace rovev {
namespace {

// A regular file of the file system read through a buffer of its own.
class disk_file final : public input_stream {
 public:
  disk_file(file_descriptor descriptor, std::uintmax_t size)
      : descriptor_(std::move(descriptor)), size_(size), buffer_(64 * 1024) {}

  bool read_failed() const override { return read_failed_; }
  std::uintmax_t size() const override { return size_; }

 protected:
  int_type underflow() override {
    if (read_failed_) return traits_type::eof();
    ssize_t count;
    do {
      count = ::read(descriptor_.get(), buffer_.data(), buffer_.size());
    } while (count < 0 && errno == EINTR);
    if (count <= 0) {
      read_failed_ = count < 0;
      return traits_type::eof();
    }
    deliver(buffer_.data(), buffer_.data() + count);
    return traits_type::to_int_type(buffer_[0]);
  }

 private:
  file_descriptor descriptor_;
  std::uintmax_t size_;
  bool read_failed_ = false;
  std::vector<char> buffer_;
};

bool is_regular(int status_result, const struct stat& status) {
  return status_result == 0 && S_ISREG(status.st_mode);
}

}  // namespace

std::optional<input_files::status> disk_files::stat(const boost::filesystem::path& file) {
  struct stat found {};
  if (::stat(file.c_str(), &found) != 0) return std::nullopt;
  if (S_ISDIR(found.st_mode)) return status{kind::folder, 0};
  if (!S_ISREG(found.st_mode)) return status{kind::other, 0};
  return status{kind::regular, static_cast<std::uintmax_t>(found.st_size)};
}

// Anything but a regular file (a folder, a FIFO, a socket, a device) is
// refused before it is opened, and the open itself never waits.
std::unique_ptr<input_stream> disk_files::open(const boost::filesystem::path& file) {
  struct stat status {};
  if (!is_regular(::stat(file.c_str(), &status), status)) return nullptr;
  file_descriptor descriptor(::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (descriptor.get() < 0) return nullptr;
  // The name may have been given to something else between the two looks.
  if (!is_regular(::fstat(descriptor.get(), &status), status)) return nullptr;
  return std::make_unique<disk_file>(std::move(descriptor),
                                     static_cast<std::uintmax_t>(status.st_size));
}

// Read with the system's own calls, so that what is asked of an entry does
// not change with the library version: the type the listing gives (d_type)
// decides, and only where a file system gives none is the entry asked,
// without following a link, relative to the open folder.
input_files::listing disk_files::list(const boost::filesystem::path& folder) {
  listing listed;
  const auto fail = [&listed, &folder](file_system_failure::operation failed) {
    listed.failure = file_system_failure{
        failed, boost::system::error_code(errno, boost::system::system_category()), folder};
  };
  const std::unique_ptr<DIR, int (*)(DIR*)> opened(::opendir(folder.c_str()), ::closedir);
  if (!opened) {
    fail(file_system_failure::operation::open_folder);
    return listed;
  }
  for (;;) {
    errno = 0;
    const dirent* found = ::readdir(opened.get());
    if (found == nullptr) {
      if (errno != 0) fail(file_system_failure::operation::read_folder);
      return listed;
    }
    const std::string_view name = found->d_name;
    if (name == "." || name == "..") continue;
    entry listed_entry{std::string(name), found->d_type == DT_DIR, {}};
    if (found->d_type == DT_UNKNOWN) {
      struct stat own {};
      if (::fstatat(::dirfd(opened.get()), found->d_name, &own, AT_SYMLINK_NOFOLLOW) == 0) {
        listed_entry.is_folder = S_ISDIR(own.st_mode);
      } else {
        listed_entry.status_error.assign(errno, boost::system::system_category());
      }
    }
    listed.entries.push_back(std::move(listed_entry));
  }
}

}  // namespace rovev
