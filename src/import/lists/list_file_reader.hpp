#pragma once

#include <iconv.h>

#include <boost/filesystem/path.hpp>
#include <cstdint>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace rovev {

// One line of a list file: its physical number and its comma fields, UTF-8.
struct list_line {
  std::uint32_t number = 0;
  std::vector<std::string> fields;
};

// Splits at every separator, keeping empty fields; the empty text has none.
std::vector<std::string> split_fields(std::string_view text, const char* separator);

// Reads a CP932 list file line by line: LF ends a line, a CR before it is
// dropped, a last line without LF still counts, and a line ends at its first
// NUL byte.
class list_file_reader {
 public:
  explicit list_file_reader(const boost::filesystem::path& file);
  ~list_file_reader();
  list_file_reader(const list_file_reader&) = delete;
  list_file_reader& operator=(const list_file_reader&) = delete;

  // False for a missing or unreadable file, and for a folder.
  bool is_open() const { return open_; }

  // The next line that converts to UTF-8; a line that does not is reported
  // and passed over. False at the end of the file or on a read failure.
  bool next(list_line& line);

  // The line's text, CP932 decoded to UTF-8; false when it is not CP932.
  bool ansi_to_utf8(std::string_view raw, std::string& utf8);

 private:
  std::ifstream stream_;
  bool open_ = false;
  iconv_t decoder_;
  std::uint32_t line_number_ = 0;
  std::string raw_;
  std::string text_;
};

// "    [Error]: " and the message, %u being the line number (and %s the text).
void report_line_error(std::uint32_t line_number, std::string_view message);
void report_line_error(std::uint32_t line_number, std::string_view message, std::string_view what);

// The procedure every list follows: the start line, the file opened (or the
// open-failure line), each line handed over, the finish line with the count.
// handle_line returns true when it imported the line. False when the file
// did not open.
bool import_list_file(const boost::filesystem::path& file, std::string_view start_text,
                      std::string_view finish_text,
                      const std::function<bool(const list_line&)>& handle_line);

}  // namespace rovev
