#pragma once

#include "db/database_failure.hpp"

namespace rovev {

// SQLite ended the open transaction on its own after a statement failed (a
// full disk, an I/O error, no memory): whatever ran after it would commit by
// itself, outside the step's transaction, so the step must stop. Not a
// database_manager_error, so that no per-line or per-record handler takes it
// for one bad row; what() is the text of the failure that ended it.
class transaction_lost : public database_failure {
 public:
  using database_failure::database_failure;
};

}  // namespace rovev
