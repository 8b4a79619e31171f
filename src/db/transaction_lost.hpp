#pragma once

#include <exception>

#include "db/database_manager_error.hpp"

namespace rovev {

// SQLite ended the open transaction on its own after a statement failed (a
// full disk, an I/O error, no memory): whatever ran after it would commit by
// itself, outside the step's transaction, so the step must stop. Not a
// database_manager_error, so that no per-line or per-record handler takes it
// for one bad row.
class transaction_lost : public std::exception {
 public:
  explicit transaction_lost(database_manager_error cause) : cause_(std::move(cause)) {}

  // The text of the failure that ended the transaction.
  const char* what() const noexcept override { return cause_.what(); }

 private:
  database_manager_error cause_;
};

}  // namespace rovev
