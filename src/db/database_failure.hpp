#pragma once

#include <cstdint>
#include <exception>

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

// What every failure that SQLite reports is: one statement's failure
// (database_manager_error) or the loss of the open transaction
// (transaction_lost). A catch that stops the run or a step takes this type,
// so that neither kind can pass it by; only a catch for one bad line or
// record takes database_manager_error alone. Its text comes from the fixed
// table of result codes, so the error is copied without allocating.
class database_failure : public std::exception {
 public:
  const char* what() const noexcept override { return message_; }
  std::int32_t code() const noexcept { return code_; }
  // Whether SQLite ran out of memory (result 7), which is no fault of the
  // database file.
  bool out_of_memory() const noexcept { return result_ == 7; }

 protected:
  // result: SQLite's primary result code, or -1 for a failure of the
  // program's own; message: a text that lives as long as the program.
  database_failure(int result, std::int32_t code, const char* message) noexcept
      : result_(result), code_(code), message_(message) {}

 private:
  int result_;
  std::int32_t code_;
  const char* message_;
};

}  // namespace rovev
