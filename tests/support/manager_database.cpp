#include "support/manager_database.hpp"

#include <sqlite3.h>

#include <boost/filesystem/operations.hpp>
#include <stdexcept>

#include "support/temp_folder.hpp"

namespace rovev::testing {
namespace {

int collect_row(void* rows, int columns, char** values, char**) {
  std::string row;
  for (int i = 0; i < columns; ++i) {
    if (i != 0) row += '|';
    row += values[i] != nullptr ? values[i] : "NULL";
  }
  static_cast<std::vector<std::string>*>(rows)->push_back(row);
  return 0;
}

}  // namespace

other_connection::other_connection(const boost::filesystem::path& file) {
  if (sqlite3_open(file.string().c_str(), &handle_) != SQLITE_OK) {
    sqlite3_close(handle_);
    throw std::runtime_error("cannot open " + file.string());
  }
}

other_connection::~other_connection() { sqlite3_close(handle_); }

void other_connection::exec(const std::string& sql) {
  char* message = nullptr;
  if (sqlite3_exec(handle_, sql.c_str(), nullptr, nullptr, &message) != SQLITE_OK) {
    const std::string text = message != nullptr ? message : "?";
    sqlite3_free(message);
    throw std::runtime_error(sql + ": " + text);
  }
}

void create_manager_database(const boost::filesystem::path& file) {
  boost::filesystem::copy_file(ZOV_TEMPLATE_DATABASE, file,
                               boost::filesystem::copy_options::overwrite_existing);
}

std::vector<std::string> query(const boost::filesystem::path& file, const std::string& sql) {
  sqlite3* handle = nullptr;
  std::vector<std::string> rows;
  if (sqlite3_open_v2(file.string().c_str(), &handle, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK ||
      sqlite3_exec(handle, sql.c_str(), collect_row, &rows, nullptr) != SQLITE_OK) {
    const std::string text = sqlite3_errmsg(handle);
    sqlite3_close(handle);
    throw std::runtime_error(sql + ": " + text);
  }
  sqlite3_close(handle);
  return rows;
}

}  // namespace rovev::testing
