#include <exception>

#include "app/command_line.hpp"
#include "base/console.hpp"

int main(int argc, char* argv[]) {
  rovev::console console(rovev::console::user_charset());
  try {
    return rovev::run_command_line(argc, argv, console);
  } catch (const std::exception& error) {
    console.error(rovev::messages::aborted_unexpectedly, error.what());
  } catch (...) {
    console.error(rovev::messages::aborted_unexpectedly, "unknown error");
  }
  return 1;
}
