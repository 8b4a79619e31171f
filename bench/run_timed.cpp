// Runs a command with its output thrown away and prints its wall time and
// CPU time in seconds and its peak resident memory in KiB; exits with the
// command's own status (128 + the signal that ended it).
//   run_timed COMMAND ARGS...
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <iostream>

extern char** environ;

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::cerr << "usage: run_timed COMMAND ARGS...\n";
    return 2;
  }
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  const auto start = std::chrono::steady_clock::now();
  pid_t child;
  if (posix_spawn(&child, argv[1], &actions, nullptr, argv + 1, environ) != 0) {
    std::cerr << "cannot start " << argv[1] << "\n";
    return 2;
  }
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  const double cpu = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                     static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  std::cout << elapsed.count() << ' ' << cpu << ' ' << usage.ru_maxrss << '\n';
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}
