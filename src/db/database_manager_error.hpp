#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace rovev {

// Categories of database failures, as the importers tell them apart.
enum db_error_code : std::int32_t {
  db_ok = 0,
  db_constraint = 1,
  db_busy = 2,
  db_resource = 3,
  db_abort = 4,
  db_failure = 5,
};

class database_manager_error : public std::exception {
 public:
  // From a SQLite primary result code.
  explicit database_manager_error(int sqlite_result);
  database_manager_error(std::int32_t code, std::string message);

  static database_manager_error not_initialized();

  std::int32_t code() const noexcept { return code_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::int32_t code_;
  std::string message_;
};

}  // namespace rovev
