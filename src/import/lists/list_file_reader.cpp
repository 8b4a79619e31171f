#include "import/lists/list_file_reader.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/tokenizer.hpp>

#include "app/console.hpp"

namespace rovev {
namespace {

const iconv_t no_decoder = reinterpret_cast<iconv_t>(-1);

}  // namespace

std::vector<std::string> split_fields(std::string_view text, const char* separator) {
  const boost::char_separator<char> separators(separator, "", boost::keep_empty_tokens);
  const boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator> tokens(
      text.begin(), text.end(), separators);
  return std::vector<std::string>(tokens.begin(), tokens.end());
}

list_file_reader::list_file_reader(const boost::filesystem::path& file)
    : decoder_(iconv_open("UTF-8", "CP932")) {
  boost::system::error_code error;
  // A folder opens as a stream here; only reading it would fail.
  if (boost::filesystem::is_directory(file, error)) return;
  stream_.open(file.string(), std::ios::binary);
  open_ = stream_.is_open();
}

list_file_reader::~list_file_reader() {
  if (decoder_ != no_decoder) iconv_close(decoder_);
}

bool list_file_reader::ansi_to_utf8(std::string_view raw, std::string& utf8) {
  if (decoder_ == no_decoder) return false;
  iconv(decoder_, nullptr, nullptr, nullptr, nullptr);
  // A half-width katakana byte becomes three UTF-8 bytes; nothing grows more.
  utf8.resize(raw.size() * 3 + 4);
  char* in = const_cast<char*>(raw.data());
  std::size_t in_left = raw.size();
  char* out = utf8.data();
  std::size_t out_left = utf8.size();
  if (iconv(decoder_, &in, &in_left, &out, &out_left) == static_cast<std::size_t>(-1) ||
      iconv(decoder_, nullptr, nullptr, &out, &out_left) == static_cast<std::size_t>(-1)) {
    return false;
  }
  utf8.resize(utf8.size() - out_left);
  return true;
}

bool list_file_reader::next(list_line& line) {
  while (open_ && std::getline(stream_, raw_)) {
    ++line_number_;
    std::string_view bytes = raw_;
    if (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
    bytes = bytes.substr(0, bytes.find('\0'));
    if (!ansi_to_utf8(bytes, text_)) {
      report_line_error(line_number_,
                        "%u行目でエラーが発生しました  (Message: 文字コードの変換に失敗しました)");
      continue;
    }
    line.number = line_number_;
    line.fields = split_fields(text_, ",");
    return true;
  }
  return false;
}

void report_line_error(std::uint32_t line_number, std::string_view message) {
  console::out(std::string("    [Error]: ").append(message), line_number);
}

void report_line_error(std::uint32_t line_number, std::string_view message, std::string_view what) {
  console::out(std::string("    [Error]: ").append(message), line_number, what);
}

bool import_list_file(const boost::filesystem::path& file, std::string_view start_text,
                      std::string_view finish_text,
                      const std::function<bool(const list_line&)>& handle_line) {
  const std::string quoted_file = console::quoted(file);
  console::out(std::string(start_text).append("%s"), quoted_file);
  list_file_reader reader(file);
  if (!reader.is_open()) {
    console::out("    [Error]: ファイル読み込みに失敗しました: %s", quoted_file);
    return false;
  }
  std::uint32_t imported = 0;
  list_line line;
  while (reader.next(line)) {
    if (handle_line(line)) ++imported;
  }
  console::out(finish_text, imported);
  return true;
}

}  // namespace rovev
