#pragma once

#include <optional>

#include "db/database_manager_error.hpp"

namespace rovev {

class database_manager;

// The one owner of a transaction: begins it when made and ends it with
// end() or, at the latest, when it goes, also when an exception passes:
// ROLLBACK when rollback_flag is set, else COMMIT.
class transaction_scope {
 public:
  // deferred: "BEGIN TRANSACTION;"; immediate: "BEGIN IMMEDIATE;", which
  // takes the write lock at once.
  enum class lock { deferred, immediate };

  explicit transaction_scope(database_manager& db, lock taken = lock::deferred);
  ~transaction_scope();
  transaction_scope(const transaction_scope&) = delete;
  transaction_scope& operator=(const transaction_scope&) = delete;

  // Ends the transaction now. A COMMIT that fails is rolled back and its
  // error given back, for the caller to report where its lines want it.
  // When SQLite ended the transaction already (a statement in it failed so),
  // throws transaction_lost, whatever caught that statement's failure: every
  // row of the transaction is gone, which only stopping can tell.
  std::optional<database_manager_error> end();

  bool rollback_flag = false;

 private:
  database_manager& db_;
  bool ended_ = false;
};

}  // namespace rovev
