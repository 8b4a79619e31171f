#pragma once

#include <optional>

#include "db/database_manager_error.hpp"

namespace rovev {

class database_manager;

// Begins a transaction when made and ends it with end() or, at the latest,
// when it goes, also when an exception passes: ROLLBACK when rollback_flag
// is set, else COMMIT. A COMMIT that fails is rolled back and recorded on
// the connection, which then reports the run as failed.
class transaction_scope {
 public:
  explicit transaction_scope(database_manager& db);
  ~transaction_scope();
  transaction_scope(const transaction_scope&) = delete;
  transaction_scope& operator=(const transaction_scope&) = delete;

  // Ends the transaction now and gives the error of a COMMIT that failed,
  // for the caller to report where its lines want it.
  std::optional<database_manager_error> end();

  bool rollback_flag = false;

 private:
  database_manager& db_;
  bool ended_ = false;
};

}  // namespace rovev
