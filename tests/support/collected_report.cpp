#include "support/collected_report.hpp"

#include "support/tool_run.hpp"

namespace rovev::testing {

void collected_report::write(channel where, std::string_view bytes) {
  std::vector<std::string>& lines = where == channel::out ? out : err;
  for (std::string& line : lines_of(std::string(bytes))) lines.push_back(std::move(line));
}

}  // namespace rovev::testing
