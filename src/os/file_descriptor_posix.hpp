#pragma once

#include <unistd.h>

#include <utility>

namespace rovev {

// An open descriptor, closed by its owner; -1 for none.
class file_descriptor {
 public:
  explicit file_descriptor(int descriptor = -1) : descriptor_(descriptor) {}
  file_descriptor(file_descriptor&& other) noexcept
      : descriptor_(std::exchange(other.descriptor_, -1)) {}
  file_descriptor& operator=(file_descriptor&&) = delete;
  ~file_descriptor() {
    if (descriptor_ >= 0) ::close(descriptor_);
  }

  int get() const { return descriptor_; }

 private:
  int descriptor_;
};

}  // namespace rovev
