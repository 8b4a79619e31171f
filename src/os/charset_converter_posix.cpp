#include "os/charset_converter.hpp"

#include <iconv.h>
#include <langinfo.h>
#include <sys/mman.h>

#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>
#include <memory>
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

// The descriptor, closed with its owner.
struct charset_converter::conversion {
  conversion() = default;
  conversion(const conversion&) = delete;
  conversion& operator=(const conversion&) = delete;
  ~conversion() {
    if (descriptor != failed) iconv_close(descriptor);
  }

  static inline const iconv_t failed = reinterpret_cast<iconv_t>(-1);
  iconv_t descriptor = failed;
};

// Its room first, so that a lack of memory leaves no descriptor open.
charset_converter::charset_converter(const char* to_charset, const char* from_charset)
    : conversion_(std::make_unique<conversion>()) {
  conversion_->descriptor = iconv_open(to_charset, from_charset);
  if (conversion_->descriptor == conversion::failed) {
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

charset_converter::~charset_converter() = default;

bool charset_converter::convert(std::string_view text, std::string& converted) {
  converted.clear();
  return append(text, converted);
}

bool charset_converter::append(std::string_view text, std::string& converted) {
  const iconv_t descriptor = conversion_->descriptor;
  iconv(descriptor, nullptr, nullptr, nullptr, nullptr);  // the initial shift state
  char* in = const_cast<char*>(text.data());
  std::size_t in_left = text.size();
  // Converted through a small buffer of its own, so that a long text costs
  // its converted size and no more.
  char chunk[16 * 1024];
  // The text first, then the return to the initial shift state.
  for (bool flushing = false;;) {
    char* out = chunk;
    std::size_t out_left = sizeof chunk;
    const std::size_t result = flushing ? iconv(descriptor, nullptr, nullptr, &out, &out_left)
                                        : iconv(descriptor, &in, &in_left, &out, &out_left);
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

std::optional<std::string> user_charset() {
  std::string_view asked;
  for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char* value = std::getenv(variable);
    if (value != nullptr && *value != '\0') {
      asked = value;
      break;
    }
  }
  const char* loaded = std::setlocale(LC_CTYPE, nullptr);
  const bool not_loaded = loaded != nullptr && std::string_view(loaded) == "C" && !asked.empty() &&
                          asked != "C" && asked != "POSIX";
  if (!not_loaded) return std::string(nl_langinfo(CODESET));
  // A locale that could not be loaded (no memory to map it, not installed):
  // its name, language_TERRITORY.set@modifier, still tells the set.
  const std::size_t dot = asked.find('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string_view after_dot = asked.substr(dot + 1);
  const std::string charset(after_dot.substr(0, after_dot.find('@')));
  try {
    const charset_converter writable(charset.c_str(), "UTF-8");
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
  return charset;
}

}  // namespace rovev
