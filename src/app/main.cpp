#include <exception>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "app/command_line.hpp"
#include "app/console.hpp"
#include "db/sqlite_library.hpp"
#include "os/process.hpp"

namespace {

int run(rovev::console& console, int argc, char* argv[]) {
  int status = 1;
  try {
    const rovev::sqlite_library sqlite;
    const std::vector<std::string> arguments = rovev::command_line_arguments(argc, argv);
    std::vector<const char*> texts;
    for (const std::string& argument : arguments) texts.push_back(argument.c_str());
    status = rovev::run_command_line(static_cast<int>(texts.size()), texts.data(), console);
  } catch (const std::bad_alloc&) {
    console.out_error(rovev::messages::aborted_unexpectedly, rovev::messages::out_of_memory);
  } catch (const std::exception& error) {
    console.out_error(rovev::messages::aborted_unexpectedly, error.what());
  } catch (...) {
    console.out_error(rovev::messages::aborted_unexpectedly, "unknown error");
  }
  return console.failed() ? 1 : status;
}

}  // namespace

int main(int argc, char* argv[]) {
  rovev::set_up_process();
  using rovev::output_stream;
  const bool shows_progress = rovev::console::shows_progress_on(output_stream::standard_output,
                                                                output_stream::standard_error);
  std::optional<rovev::console> console;
  std::optional<std::string> charset;
  try {
    charset = rovev::user_charset();
    console.emplace(charset.value_or("UTF-8"), output_stream::standard_output,
                    output_stream::standard_error, shows_progress);
  } catch (const std::bad_alloc&) {
    // No memory for the conversion to the user's character set: the line
    // that says so goes out in UTF-8, which needs none.
    rovev::console plain("UTF-8");
    plain.out_error(rovev::messages::aborted_unexpectedly, rovev::messages::out_of_memory);
    return 1;
  }
  if (!charset) console->err_line(rovev::messages::locale_not_loaded);
  return run(*console, argc, argv);
}
