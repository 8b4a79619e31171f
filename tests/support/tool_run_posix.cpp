#include "support/tool_run.hpp"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <thread>

#include "support/temp_folder.hpp"

extern char** environ;

namespace rovev::testing {
namespace {

// In the child between fork and exec: only async-signal-safe calls.
[[noreturn]] void start_tool(char* const argv[], char* const envp[], const tool_options& options,
                             const char* out_file, const char* err_file, const int pipe_ends[2],
                             const char* terminal) {
  using output = tool_options::output;
  ::dup2(::open("/dev/null", O_RDONLY), 0);
  ::dup2(::open(err_file, O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
  int out = -1;
  switch (options.out) {
    case output::captured:
      out = ::open(out_file, O_WRONLY | O_CREAT | O_TRUNC, 0600);
      break;
    case output::null_device:
      out = ::open("/dev/null", O_WRONLY);
      break;
    case output::full_device:
      out = ::open("/dev/full", O_WRONLY);
      break;
    case output::broken_pipe:
    case output::late_reader:
      ::close(pipe_ends[0]);  // only the test's end reads
      out = pipe_ends[1];
      break;
    case output::full_log:
      out = ::open(out_file, O_WRONLY | O_CREAT | O_APPEND, 0600);
      if (::ftruncate(out, options.file_size_limit) != 0) ::_exit(126);
      break;
    case output::terminal:
      out = ::open(terminal, O_RDWR | O_NOCTTY);
      ::dup2(out, 2);
      break;
    case output::closed:
      break;
  }
  if (out >= 0) {
    ::dup2(out, 1);
  } else {
    ::close(1);
  }
  // What the tool does about these signals it must do itself.
  for (const int signal_number : {SIGPIPE, SIGXFSZ, SIGINT, SIGTERM, SIGHUP}) {
    ::signal(signal_number, SIG_DFL);
  }
  const auto set_limit = [](int resource, long value) {
    const rlimit limit{static_cast<rlim_t>(value), static_cast<rlim_t>(value)};
    if (value > 0) ::setrlimit(resource, &limit);
  };
  set_limit(RLIMIT_FSIZE, options.file_size_limit);
  set_limit(RLIMIT_NOFILE, options.open_files_limit);
  if (!options.working_folder.empty() && ::chdir(options.working_folder.c_str()) != 0) ::_exit(126);
  ::execve(argv[0], argv, envp);
  ::_exit(127);
}

// Reads a pipe or a terminal until the tool has gone, or until the deadline,
// and interrupts the tool once it has written interrupt_on. Before the tool
// opens a terminal, and after it has gone, the terminal reads as hung up;
// only the second ends the reading.
void read_until_gone(int input, pid_t tool, std::string& bytes,
                     std::chrono::steady_clock::time_point deadline,
                     const std::string& interrupt_on) {
  bool interrupted = interrupt_on.empty();
  char buffer[64 * 1024];
  const auto drain = [&] {
    for (ssize_t count; (count = ::read(input, buffer, sizeof buffer)) > 0;) {
      bytes.append(buffer, static_cast<std::size_t>(count));
    }
  };
  while (std::chrono::steady_clock::now() < deadline) {
    pollfd readable{input, POLLIN, 0};
    if (::poll(&readable, 1, 50) > 0 && (readable.revents & POLLIN) != 0) {
      const ssize_t count = ::read(input, buffer, sizeof buffer);
      if (count > 0) {
        bytes.append(buffer, static_cast<std::size_t>(count));
        if (!interrupted && bytes.find(interrupt_on) != std::string::npos) {
          interrupted = true;
          ::kill(tool, SIGINT);
        }
        continue;
      }
    }
    siginfo_t gone{};
    ::waitid(P_PID, static_cast<id_t>(tool), &gone, WEXITED | WNOHANG | WNOWAIT);
    if (gone.si_pid == tool) {
      drain();
      return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

}  // namespace

tool_result run_tool(const std::vector<std::string>& arguments, const tool_options& options) {
  const temp_folder outputs;
  const std::string out_file = (outputs / "out").string();
  const std::string err_file = (outputs / "err").string();

  std::vector<std::string> words{ZOV_TOOL_FILE};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);

  std::vector<std::string> environment(options.environment);
  environment.push_back("PATH=/usr/bin:/bin");
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string text = *variable;
    if (text.rfind("ASAN_", 0) == 0 || text.rfind("UBSAN_", 0) == 0) environment.push_back(text);
  }
  std::vector<char*> envp;
  for (std::string& variable : environment) envp.push_back(variable.data());
  envp.push_back(nullptr);

  using output = tool_options::output;
  int pipe_ends[2] = {-1, -1};
  const bool piped = options.out == output::broken_pipe || options.out == output::late_reader;
  if (piped && ::pipe2(pipe_ends, O_CLOEXEC) != 0) throw std::runtime_error("cannot make a pipe");
  if (options.out == output::late_reader) ::fcntl(pipe_ends[1], F_SETFL, O_NONBLOCK);
  int terminal = -1;
  std::string terminal_name;
  if (options.out == output::terminal) {
    terminal = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0 || ::grantpt(terminal) != 0 || ::unlockpt(terminal) != 0) {
      throw std::runtime_error("cannot make a terminal");
    }
    terminal_name = ::ptsname(terminal);
    if (options.terminal_columns != 0) {
      const winsize size{24, options.terminal_columns, 0, 0};
      ::ioctl(terminal, TIOCSWINSZ, &size);
    }
  }
  const pid_t child = ::fork();
  if (child < 0) throw std::runtime_error("cannot start the tool");
  if (child == 0) {
    start_tool(argv.data(), envp.data(), options, out_file.c_str(), err_file.c_str(), pipe_ends,
               terminal_name.c_str());
  }
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(options.timeout_seconds);
  std::string read_late;
  if (piped) {
    ::close(pipe_ends[1]);
    if (options.out == output::late_reader) {
      // Long enough for the tool to fill the pipe and be told "not yet".
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      read_until_gone(pipe_ends[0], child, read_late, deadline, "");
    }
    // A broken pipe's reader goes before the tool writes a line.
    ::close(pipe_ends[0]);
  }
  if (terminal >= 0) {
    read_until_gone(terminal, child, read_late, deadline, options.interrupt_on);
    ::close(terminal);
  }

  int wait_status = 0;
  rusage usage{};
  while (::wait4(child, &wait_status, WNOHANG, &usage) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(child, SIGKILL);
      ::wait4(child, &wait_status, 0, &usage);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  const int status =
      WIFEXITED(wait_status) ? WEXITSTATUS(wait_status) : 128 + WTERMSIG(wait_status);
  const bool read_here = options.out == output::late_reader || options.out == output::terminal;
  const std::string out = read_here ? read_late : read_file(out_file);
  return {status, out, read_file(err_file), usage.ru_maxrss};
}

}  // namespace rovev::testing
