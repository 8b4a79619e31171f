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
