#include "db/transaction_scope.hpp"

#include "db/database_manager.hpp"

namespace rovev {

transaction_scope::transaction_scope(database_manager& db) : db_(db) { db_.begin_transaction(); }

transaction_scope::~transaction_scope() {
  try {
    end();
  } catch (...) {
    // Only the copy of a COMMIT's error can throw here (out of memory), and
    // the failure is recorded on the connection by then.
  }
}

std::optional<database_manager_error> transaction_scope::end() {
  if (ended_) return std::nullopt;
  ended_ = true;
  if (!db_.in_transaction()) return std::nullopt;  // SQLite ended it already
  if (rollback_flag) {
    db_.rollback();
    return std::nullopt;
  }
  try {
    db_.commit();
  } catch (const database_manager_error& error) {
    db_.rollback();
    db_.mark_commit_failed();
    return error;
  }
  return std::nullopt;
}

}  // namespace rovev
