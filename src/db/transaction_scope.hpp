#pragma once

namespace rovev {

class database_manager;

// Begins a transaction when made and ends it when it goes, also when an
// exception passes: ROLLBACK when rollback_flag is set, else COMMIT. A COMMIT
// that fails is reported and rolled back, and the connection remembers it.
class transaction_scope {
 public:
  explicit transaction_scope(database_manager& db);
  ~transaction_scope();
  transaction_scope(const transaction_scope&) = delete;
  transaction_scope& operator=(const transaction_scope&) = delete;

  bool rollback_flag = false;

 private:
  database_manager& db_;
};

}  // namespace rovev
