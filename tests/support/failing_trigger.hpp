#pragma once

#include <boost/filesystem/path.hpp>
#include <string>

namespace rovev::testing {

// While it lives, every connection opened in the test knows the SQL function
// io_error(), which fails the statement that calls it with an I/O error.
// SQLite then rolls the open transaction back on its own, as after a full
// disk.
class io_error_function {
 public:
  io_error_function();
  ~io_error_function();
  io_error_function(const io_error_function&) = delete;
  io_error_function& operator=(const io_error_function&) = delete;
};

// A trigger in the database that calls io_error() after an insert into
// table whose new row meets the condition, e.g. "new.id = 2".
void fail_inserts(const boost::filesystem::path& database, const std::string& table,
                  const std::string& condition);

}  // namespace rovev::testing
