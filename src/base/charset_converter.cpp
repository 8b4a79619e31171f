#include "base/charset_converter.hpp"

#include <sys/mman.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <stdexcept>

namespace rovev {
namespace {

// Whether the process could map as much as a conversion's module takes,
// with room to spare.
bool has_room_for_a_module() {
  constexpr std::size_t room = 4 << 20;
  void* mapped =
      ::mmap(nullptr, room, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
  if (mapped == MAP_FAILED) return false;
  ::munmap(mapped, room);
  return true;
}

}  // namespace

charset_converter::charset_converter(const char* to_charset, const char* from_charset)
    : descriptor_(iconv_open(to_charset, from_charset)) {
  if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
    const int error = errno;
    // glibc says EINVAL, as for a conversion it does not have, also when it
    // cannot load the conversion's module for want of memory: so a refusal
    // without room for a module is the lack of memory it is.
    if (error == ENOMEM || (error == EINVAL && !has_room_for_a_module())) throw std::bad_alloc();
    const std::string conversion = std::string(from_charset) + " to " + to_charset;
    if (error == EINVAL) throw std::runtime_error("no conversion from " + conversion);
    // No descriptor for its tables, and the like.
    throw std::runtime_error("cannot open the conversion from " + conversion + ": " +
                             std::strerror(error));
  }
}

charset_converter::~charset_converter() { iconv_close(descriptor_); }

bool charset_converter::convert(std::string_view text, std::string& converted) {
  converted.clear();
  return append(text, converted);
}

bool charset_converter::append(std::string_view text, std::string& converted) {
  iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Converted through a small buffer of its own, so that a long text costs
  // its converted size and no more.
  char chunk[16 * 1024];
  // The text first, then the return to the initial shift state.
  for (bool flushing = false;;) {
    char* out = chunk;
    std::size_t out_left = sizeof chunk;
    const std::size_t result = flushing ? iconv(descriptor_, nullptr, nullptr, &out, &out_left)
                                        : iconv(descriptor_, &in, &in_left, &out, &out_left);
    const int error = errno;
    converted.append(chunk, static_cast<std::size_t>(out - chunk));
    if (result == static_cast<std::size_t>(-1)) {
      if (error != E2BIG) return false;
    } else if (flushing) {
      return true;
    } else {
      flushing = true;
    }
  }
}

}  // namespace rovev
