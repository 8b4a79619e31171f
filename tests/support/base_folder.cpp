#include "support/base_folder.hpp"

#include "base/quoted_path.hpp"
#include "record_encoding.hpp"

namespace rovev::testing {

void base_folder::write_list(const std::string& name, const std::vector<std::string>& lines) const {
  std::string bytes;
  for (const std::string& line : lines) bytes += sample::to_cp932(line) + "\r\n";
  write_file(*this / name, bytes);
}

std::string base_folder::quoted(const std::string& name) const {
  return rovev::quoted(*this / name);
}

void write_one_of_each(const boost::filesystem::path& base) {
  const auto cp932 = [](const std::string& line) { return sample::to_cp932(line) + "\r\n"; };
  write_file(base / "vellgard.list", cp932("本社,10.0.0.1,1,,10.0.0.0,"));
  write_file(base / "manager.user", cp932("5,user5,h,-,利用者"));
  write_file(base / "vellgard.group", cp932("1,営業部,1,5,"));
  sample::host_fields pc;
  pc.name = "pc";
  write_file(base / "host_1.db", sample::encode_host_record(pc));
  write_file(base / "hist" / "host_1.hist",
             sample::encode_detection_record(
                 {"", "", "h", "w", "2014-08-01 08:30:00", "2014-08-01 08:31:10"}));
  write_file(
      base / "hostmove" / "hostmove.hist",
      sample::encode_movement_record({"", "n", "", "h", "w", "1", "2", "2014-08-02 10:00:00"}));
}

std::size_t count_lines_with(const std::string& out, const std::string& text) {
  std::size_t count = 0;
  for (const std::string& line : lines_of(out)) count += line.find(text) != std::string::npos;
  return count;
}

std::vector<std::string> step_lines(const std::string& out, const std::string& start_text) {
  std::vector<std::string> step;
  for (const std::string& line : lines_of(out)) {
    if (step.empty()) {
      if (line.rfind(start_text, 0) == 0) step.push_back(line);
      continue;
    }
    step.push_back(line);
    if (line.rfind("    [Error]: ", 0) != 0) break;
  }
  return step;
}

}  // namespace rovev::testing
