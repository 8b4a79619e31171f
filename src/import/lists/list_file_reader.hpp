#pragma once

#include <boost/container/static_vector.hpp>
#include <boost/filesystem/path.hpp>
#include <boost/tokenizer.hpp>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/report.hpp"
#include "import/lists/ansi_decoder.hpp"
#include "os/input_files.hpp"

namespace rovev {

// One line of a list file: its physical number, its first comma fields
// (UTF-8) as far as any list reads them, and how many fields it has in all.
// Only those are held, so a line of commas costs no more than its text. The
// fields are views of the reader's text of the line, good until the next
// line is read.
struct list_line {
  // The most columns of any list's layout (list_layout checks each).
  static constexpr std::size_t read_fields = 6;

  std::uint32_t number = 0;
  boost::container::static_vector<std::string_view, read_fields> fields;
  std::size_t field_count = 0;
};

// A field of a text, a view of it.
struct field_view {
  std::string_view text;
  void assign(const char* first, const char* last) {
    text = std::string_view(first, static_cast<std::size_t>(last - first));
  }
  operator std::string_view() const { return text; }
};

// The fields of a text split at every separator, empty ones kept (the empty
// text has none), found one by one as they are walked and never stored.
using field_range = boost::tokenizer<boost::char_separator<char>, const char*, field_view>;
field_range split_fields(std::string_view text, const char* separator);

// Reads a CP932 list file line by line: LF ends a line, a CR before it is
// dropped (also at the end of the file), a last line without LF still
// counts, and a line ends at its first NUL byte.
class list_file_reader {
 public:
  // The longest line that is read; a longer one is reported and skipped,
  // and never held in memory whole. A line is held as its raw bytes until
  // it is decoded, then as its text only.
  static constexpr std::size_t max_line_length = 2 << 20;

  // Reads the bytes of an opened list file.
  list_file_reader(input_stream& bytes, report& out);

  // The next line that converts to UTF-8; a line that does not, or that is
  // too long, is reported and passed over. False at the end of the file or
  // on a read failure.
  bool next(list_line& line);

  // Whether reading ended on a failure rather than at the end of the file.
  bool read_failed() const { return bytes_.read_failed(); }
  // How many bytes of the file have been read.
  std::uintmax_t position() const { return bytes_.position(); }

 private:
  enum class raw_line { line, too_long, end };
  raw_line read_raw_line();

  input_stream& bytes_;
  report& report_;
  ansi_decoder decoder_;
  std::uint32_t line_number_ = 0;
  std::string raw_;
  std::string text_;
};

// The lines of one list: its start line (%s: the file, quoted), its finish
// line (%u: the lines imported), and its progress line on a terminal.
struct list_messages {
  messages::start_line start;
  messages::finish_line<1> finish;
  messages::progress_line<2> progress;
};

// A list's layout, declared once by its importer: its columns, an enum class
// whose last column is also named last, their count (the lines' column
// count, or for a list without one the columns it reads), and its lines. The
// build checks that the two agree and that the reader keeps that many fields
// of every line; each field is handed over by its column, so a switch over
// the columns that misses one is warned of (-Wswitch-enum), and no field
// beyond the layout's columns reaches it.
template <class Column, std::size_t Count>
struct list_layout {
  static_assert(static_cast<std::size_t>(Column::last) + 1 == Count,
                "the layout's count is not the number of its columns");
  static_assert(Count <= list_line::read_fields,
                "the list reader keeps fewer fields than the layout has columns");
  static constexpr std::size_t columns = Count;

  // Hands take(column, field) each field of the line, in order, up to the
  // layout's columns, until take returns false; false then.
  template <class Take>
  static bool take_fields(const list_line& line, const Take& take) {
    for (std::size_t index = 0; index < line.fields.size() && index < Count; ++index) {
      if (!take(static_cast<Column>(index), line.fields[index])) return false;
    }
    return true;
  }

  list_messages lines;
};

// The procedure every list follows: the start line, the file opened (or the
// open-failure line), each line handed over, the finish line with the count.
// handle_line returns true when it imported the line.
void import_list_file(input_files& files, const boost::filesystem::path& file,
                      const list_messages& lines, report& out,
                      const std::function<bool(const list_line&)>& handle_line);

}  // namespace rovev
