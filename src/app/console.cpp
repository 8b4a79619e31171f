#include "app/console.hpp"

#include <iconv.h>
#include <langinfo.h>

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <sstream>
#include <vector>

namespace rovev::console {
namespace {

// Target character set for message templates; empty means UTF-8 as stored.
std::string& target_charset() {
  static std::string charset;
  return charset;
}

bool convert(const std::string& to, std::string_view in, std::string& result) {
  iconv_t cd = iconv_open(to.c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::vector<char> buffer(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t src_left = in.size();
  char* dst = buffer.data();
  std::size_t dst_left = buffer.size();
  const bool ok = iconv(cd, &src, &src_left, &dst, &dst_left) != static_cast<std::size_t>(-1) &&
                  iconv(cd, nullptr, nullptr, &dst, &dst_left) != static_cast<std::size_t>(-1);
  iconv_close(cd);
  if (ok) result.assign(buffer.data(), dst);
  return ok;
}

void write(std::FILE* stream, std::string_view bytes) {
  // Whatever went to the other stream is out already: each write flushes.
  std::fwrite(bytes.data(), 1, bytes.size(), stream);
  std::fflush(stream);
}

}  // namespace

void use_user_locale() {
  std::setlocale(LC_ALL, "");
  use_charset(nl_langinfo(CODESET));
}

void use_charset(const std::string& charset) {
  std::string probe;
  // A character set that cannot hold Japanese (C, POSIX, Latin-1) gets UTF-8.
  const bool holds_japanese = charset != "UTF-8" && convert(charset, "取り込み", probe);
  target_charset() = holds_japanese ? charset : std::string();
}

std::string localize(std::string_view utf8_text) {
  std::string converted;
  if (!target_charset().empty() && convert(target_charset(), utf8_text, converted)) {
    return converted;
  }
  return std::string(utf8_text);
}

std::string quoted(const boost::filesystem::path& path) {
  std::ostringstream text;
  text << path;
  return text.str();
}

void write_out(std::string_view bytes) { write(stdout, bytes); }
void write_err(std::string_view bytes) { write(stderr, bytes); }

}  // namespace rovev::console
