#include "app/command_line.hpp"
#include "app/console.hpp"

int main(int argc, char* argv[]) {
  rovev::console::use_user_locale();
  return rovev::run_command_line(argc, argv);
}
