#pragma once

#include <string>
#include <vector>

namespace rovev::testing {

struct tool_result {
  int status;
  std::string out;
  std::string err;
};

// Runs the built zov_iziver with the arguments, in a UTF-8 locale.
tool_result run_tool(const std::vector<std::string>& arguments);

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);

}  // namespace rovev::testing
