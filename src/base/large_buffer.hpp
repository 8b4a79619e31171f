#pragma once

#include <string>

namespace rovev {

// A buffer that grew past this for one long line or statement is given
// back, so that one long line does not hold its memory for the rest of
// the run.
constexpr std::size_t kept_buffer_capacity = 1 << 20;

inline void release_if_large(std::string& buffer) {
  if (buffer.capacity() > kept_buffer_capacity) std::string().swap(buffer);
}

}  // namespace rovev
