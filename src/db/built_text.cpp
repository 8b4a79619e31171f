#include "db/built_text.hpp"

#include <algorithm>

namespace rovev {

built_text::built_text(built_text&& other) noexcept
    : heap_(std::move(other.heap_)), size_(other.size_), capacity_(other.capacity_) {
  if (!heap_) std::copy_n(other.local_.data(), size_, local_.data());
  other.size_ = 0;
  other.capacity_ = local_size;
}

void built_text::enlarge(std::size_t more) {
  const std::size_t capacity = std::max(2 * capacity_, size_ + more);
  auto larger = std::make_unique<char[]>(capacity);
  std::copy_n(data(), size_, larger.get());
  heap_ = std::move(larger);
  capacity_ = capacity;
}

}  // namespace rovev
