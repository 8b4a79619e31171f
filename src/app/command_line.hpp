#pragma once

namespace rovev {

// The whole program behind main: options, help, version, then the import.
int run_command_line(int argc, const char* const argv[]);

}  // namespace rovev
