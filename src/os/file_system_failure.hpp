#pragma once

#include <boost/filesystem/path.hpp>
#include <boost/system/error_code.hpp>
#include <string>

namespace rovev {

// A failure of the file system: the operation, its error and the path it
// failed on. Its text is the tool's own, made from the error's message, so
// that a line reads the same whichever library version the tool is built
// with: the operation's name, ": ", message, ": " and the path in double
// quotes, e.g.
//   boost::filesystem::directory_iterator::construct: No such file or directory: "/base/hist"
struct file_system_failure {
  enum class operation {
    open_folder,   // listing a folder
    read_folder,   // its next entry
    entry_status,  // what an entry is, its links not followed
  };

  operation failed;
  boost::system::error_code error;
  boost::filesystem::path path;

  std::string text() const;
};

}  // namespace rovev
