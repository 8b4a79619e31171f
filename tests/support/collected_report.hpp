#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/report.hpp"

namespace rovev::testing {

// A report that keeps its lines, without their line ends, for tests to read.
class collected_report : public report {
 public:
  void write(channel where, std::string_view bytes) override;

  std::vector<std::string> out;
  std::vector<std::string> err;
};

}  // namespace rovev::testing
