#pragma once

#include <cstdint>

#include "db/database_failure.hpp"

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

// The failure of one statement.
class database_manager_error : public database_failure {
 public:
  // From a SQLite primary result code.
  explicit database_manager_error(int sqlite_result) noexcept;
  // message: a text that lives as long as the program.
  database_manager_error(std::int32_t code, const char* message) noexcept
      : database_failure(message), code_(code) {}

  static database_manager_error not_initialized() noexcept;

  std::int32_t code() const noexcept { return code_; }

 private:
  std::int32_t code_;
};

}  // namespace rovev
