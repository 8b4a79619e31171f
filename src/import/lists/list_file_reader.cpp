#include "import/lists/list_file_reader.hpp"

#include "base/large_buffer.hpp"
#include "base/progress_meter.hpp"
#include "base/quoted_path.hpp"
#include "import/open_input.hpp"

namespace rovev {

field_range split_fields(std::string_view text, const char* separator) {
  return field_range(text.data(), text.data() + text.size(),
                     boost::char_separator<char>(separator, "", boost::keep_empty_tokens));
}

list_file_reader::list_file_reader(input_stream& bytes, report& out)
    : bytes_(bytes), report_(out) {}

list_file_reader::raw_line list_file_reader::read_raw_line() {
  raw_.clear();
  // One byte more than a line may hold, for a CR that is no part of it.
  bool overflow = false;
  bool any = false;
  for (int byte; (byte = bytes_.sbumpc()) != std::char_traits<char>::eof();) {
    any = true;
    if (byte == '\n') break;
    if (raw_.size() <= max_line_length) {
      raw_ += static_cast<char>(byte);
    } else {
      overflow = true;
    }
  }
  // A line that a read failure cut short is not read.
  if (!any || bytes_.read_failed()) return raw_line::end;
  if (!raw_.empty() && raw_.back() == '\r') raw_.pop_back();
  return overflow || raw_.size() > max_line_length ? raw_line::too_long : raw_line::line;
}

bool list_file_reader::next(list_line& line) {
  for (raw_line read; (read = read_raw_line()) != raw_line::end;) {
    ++line_number_;
    if (read == raw_line::too_long) {
      report_.out_error(messages::line_too_long, line_number_);
      continue;
    }
    std::string_view bytes = raw_;
    bytes = bytes.substr(0, bytes.find('\0'));
    release_if_large(text_);
    const bool decoded = decoder_.ansi_to_utf8(bytes, text_);
    release_if_large(raw_);
    if (!decoded) {
      report_.out_error(messages::line_not_cp932, line_number_);
      continue;
    }
    line.number = line_number_;
    line.fields.clear();
    line.field_count = 0;
    for (const field_view& field : split_fields(text_, ",")) {
      if (line.fields.size() < line.fields.capacity()) line.fields.push_back(field.text);
      ++line.field_count;
    }
    return true;
  }
  return false;
}

void import_list_file(input_files& files, const boost::filesystem::path& file,
                      const list_messages& lines, report& out,
                      const std::function<bool(const list_line&)>& handle_line) {
  const std::string quoted_file = quoted(file);
  out.out_line(lines.start.text, quoted_file);
  const std::unique_ptr<input_stream> bytes = open_input(files, file, out);
  if (!bytes) return;
  list_file_reader reader(*bytes, out);
  std::uint32_t imported = 0;
  {
    progress_meter meter(out);
    list_line line;
    while (reader.next(line)) {
      if (handle_line(line)) ++imported;
      if (meter.due())
        meter.show(lines.progress.text, line.number, percent_of(reader.position(), bytes->size()));
    }
  }
  if (reader.read_failed()) out.out_error(messages::cannot_read_file, quoted_file);
  out.out_line(lines.finish.text, imported);
}

}  // namespace rovev
