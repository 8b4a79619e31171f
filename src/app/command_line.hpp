#pragma once

#include "base/report.hpp"

namespace rovev {

// The whole program behind main: options, help, version, then the import.
int run_command_line(int argc, const char* const argv[], report& out);

}  // namespace rovev
