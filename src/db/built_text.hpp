#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>

namespace rovev {

// A text written at its end, in place: extend() gives room to write into,
// cut() ends the text where the writing ended. It lives in the object up to
// the usual row's size and on the heap beyond it.
class built_text {
 public:
  built_text() = default;
  built_text(built_text&& other) noexcept;
  built_text(const built_text&) = delete;
  built_text& operator=(const built_text&) = delete;
  built_text& operator=(built_text&&) = delete;
  ~built_text() = default;

  bool empty() const { return size_ == 0; }
  std::string_view view() const { return {data(), size_}; }

  // Room for so many more characters, at the end of the text.
  char* extend(std::size_t more) {
    if (more > capacity_ - size_) enlarge(more);
    char* const at = data() + size_;
    size_ += more;
    return at;
  }
  // Ends the text at end, within the room last given.
  void cut(const char* end) { size_ = static_cast<std::size_t>(end - data()); }

 private:
  static constexpr std::size_t local_size = 256;

  char* data() { return heap_ ? heap_.get() : local_.data(); }
  const char* data() const { return heap_ ? heap_.get() : local_.data(); }
  void enlarge(std::size_t more);

  std::unique_ptr<char[]> heap_;
  std::size_t size_ = 0;
  std::size_t capacity_ = local_size;
  std::array<char, local_size> local_;
};

}  // namespace rovev
