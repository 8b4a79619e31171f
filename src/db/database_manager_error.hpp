#pragma once

#include <cstdint>

#include "db/database_failure.hpp"

namespace rovev {

// The failure of one statement.
class database_manager_error : public database_failure {
 public:
  // From a SQLite primary result code.
  explicit database_manager_error(int sqlite_result) noexcept;

  static database_manager_error not_initialized() noexcept;
  // vg.db has a second name, beside which SQLite would not find its journal.
  static database_manager_error more_than_one_link() noexcept;
  // A file SQLite writes beside vg.db has a second name, whose file would
  // get what SQLite writes there.
  enum class database_side { journal, wal };
  static database_manager_error more_than_one_link(database_side side) noexcept;

 private:
  // For the program's own failures, such as not_initialized.
  using database_failure::database_failure;
};

}  // namespace rovev
