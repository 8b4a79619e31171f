#pragma once

#include <boost/filesystem/path.hpp>
#include <string>
#include <vector>

struct sqlite3;

namespace rovev::testing {

// Makes a manager database from the project's schema: a copy of the one the
// build made from it.
void create_manager_database(const boost::filesystem::path& file);

// Rows of a query, each row's columns joined by "|" (NULL as "NULL").
std::vector<std::string> query(const boost::filesystem::path& file, const std::string& sql);

// A second connection on a database, e.g. to hold a lock during a test.
class other_connection {
 public:
  explicit other_connection(const boost::filesystem::path& file);
  ~other_connection();
  other_connection(const other_connection&) = delete;
  other_connection& operator=(const other_connection&) = delete;

  void exec(const std::string& sql);

 private:
  sqlite3* handle_ = nullptr;
};

}  // namespace rovev::testing
