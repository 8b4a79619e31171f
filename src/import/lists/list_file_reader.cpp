#include "import/lists/list_file_reader.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/tokenizer.hpp>

#include "base/quoted_path.hpp"

namespace rovev {

std::vector<std::string> split_fields(std::string_view text, const char* separator) {
  const boost::char_separator<char> separators(separator, "", boost::keep_empty_tokens);
  const boost::tokenizer<boost::char_separator<char>, std::string_view::const_iterator> tokens(
      text.begin(), text.end(), separators);
  return std::vector<std::string>(tokens.begin(), tokens.end());
}

list_file_reader::list_file_reader(const boost::filesystem::path& file, report& out)
    : report_(out) {
  boost::system::error_code error;
  // A folder opens as a stream here; only reading it would fail.
  if (boost::filesystem::is_directory(file, error)) return;
  stream_.open(file.string(), std::ios::binary);
  open_ = stream_.is_open();
}

bool list_file_reader::next(list_line& line) {
  while (open_ && std::getline(stream_, raw_)) {
    ++line_number_;
    std::string_view bytes = raw_;
    if (!bytes.empty() && bytes.back() == '\r') bytes.remove_suffix(1);
    bytes = bytes.substr(0, bytes.find('\0'));
    if (!decoder_.ansi_to_utf8(bytes, text_)) {
      report_.error(messages::line_not_cp932, line_number_);
      continue;
    }
    line.number = line_number_;
    line.fields = split_fields(text_, ",");
    return true;
  }
  return false;
}

bool import_list_file(const boost::filesystem::path& file, std::string_view start_message,
                      std::string_view finish_message, report& out,
                      const std::function<bool(const list_line&)>& handle_line) {
  const std::string quoted_file = quoted(file);
  out.out(start_message, quoted_file);
  list_file_reader reader(file, out);
  if (!reader.is_open()) {
    out.error(messages::cannot_read_file, quoted_file);
    return false;
  }
  std::uint32_t imported = 0;
  list_line line;
  while (reader.next(line)) {
    if (handle_line(line)) ++imported;
  }
  out.out(finish_message, imported);
  return true;
}

}  // namespace rovev
