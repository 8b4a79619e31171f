#pragma once

#include <string>
#include <vector>

namespace rovev::testing {

struct tool_result {
  int status;  // the exit status, or 128 + the signal that ended the tool
  std::string out;
  std::string err;
  long peak_kib;  // the tool's peak resident memory
};

struct tool_options {
  // The locale variables (PATH is always set).
  std::vector<std::string> environment{"LC_ALL=C.UTF-8"};
  // Where standard output goes: a file the result reads back, /dev/null,
  // /dev/full, nowhere (closed), a pipe whose reader has gone, a log file
  // that has already reached file_size_limit, a non-blocking pipe that the
  // test reads only after a while, as a program that starts the tool may, or
  // a terminal that standard error shares, whose bytes the result holds.
  enum class output {
    captured,
    null_device,
    full_device,
    closed,
    broken_pipe,
    full_log,
    late_reader,
    terminal
  };
  output out = output::captured;
  // RLIMIT_FSIZE in bytes, with SIGXFSZ at its default action; 0 for none.
  long file_size_limit = 0;
  // RLIMIT_NOFILE; 0 for the test's own.
  long open_files_limit = 0;
  // A tool still running after this long is killed (status 128 + 9).
  int timeout_seconds = 120;
  // The width of the terminal; 0 for the pseudo-terminal's own.
  unsigned short terminal_columns = 0;
  // On a terminal: SIGINT, as from Ctrl-C, once the tool has written this.
  std::string interrupt_on;
  // The folder the tool starts in; empty for the test's own.
  std::string working_folder;
};

// Runs the built zov_iziver with the arguments.
tool_result run_tool(const std::vector<std::string>& arguments, const tool_options& options = {});

// The lines of a text, without their line ends.
std::vector<std::string> lines_of(const std::string& text);

}  // namespace rovev::testing
