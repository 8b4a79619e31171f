#pragma once

#include <string>
#include <vector>

namespace rovev {

// What the program sets up before anything else: a closed standard stream
// is held, so that no file the import opens takes its place; an output that
// cannot be written fails the write instead of ending the program; large
// blocks go back to the system as soon as they are freed; and the locale is
// the user's (LC_ALL, LC_CTYPE, LANG).
void set_up_process();

// The program's arguments as the tool reads them: as given on POSIX, in
// UTF-8 on Windows, whatever the console's code page.
std::vector<std::string> command_line_arguments(int argc, char* argv[]);

}  // namespace rovev
