#pragma once

#include <string>
#include <vector>

namespace rovev::testing {

struct tool_result {
  int status;
  std::string out;
  std::string err;
};

// Runs the built zov_iziver with the arguments, in the locale that the
// variables set (a UTF-8 one unless told otherwise).
tool_result run_tool(const std::vector<std::string>& arguments,
                     const std::vector<std::string>& locale_variables = {"LC_ALL=C.UTF-8"});

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);

}  // namespace rovev::testing
