#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace rovev {

// UTF-8 text as UTF-16, the form Windows' calls take; a broken sequence
// becomes U+FFFD.
inline std::wstring to_wide(std::string_view utf8, UINT code_page = CP_UTF8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  std::wstring wide(
      static_cast<std::size_t>(::MultiByteToWideChar(code_page, 0, utf8.data(), size, nullptr, 0)),
      L'\0');
  ::MultiByteToWideChar(code_page, 0, utf8.data(), size, wide.data(),
                        static_cast<int>(wide.size()));
  return wide;
}

// UTF-16 as the bytes of a code page, UTF-8 unless another is named.
inline std::string from_wide(std::wstring_view wide, UINT code_page = CP_UTF8) {
  if (wide.empty()) return {};
  const int size = static_cast<int>(wide.size());
  std::string bytes(static_cast<std::size_t>(::WideCharToMultiByte(code_page, 0, wide.data(), size,
                                                                   nullptr, 0, nullptr, nullptr)),
                    '\0');
  ::WideCharToMultiByte(code_page, 0, wide.data(), size, bytes.data(),
                        static_cast<int>(bytes.size()), nullptr, nullptr);
  return bytes;
}

}  // namespace rovev
