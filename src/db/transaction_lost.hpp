#pragma once

#include "db/database_failure.hpp"

namespace rovev {

// SQLite ended the open transaction on its own after a statement failed (a
// full disk, an I/O error, no memory): whatever ran after it would commit by
// itself, outside the step's transaction, so the step must stop. Not a
// database_manager_error, so that no per-line or per-record handler takes it
// for one bad row; its code and text are those of the failure that ended it.
class transaction_lost : public database_failure {
 public:
  explicit transaction_lost(const database_failure& cause) noexcept : database_failure(cause) {}
};

}  // namespace rovev
