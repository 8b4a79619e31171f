#include "db/transaction_scope.hpp"

#include "db/database_manager.hpp"

namespace rovev {

transaction_scope::transaction_scope(database_manager& db, lock taken) : db_(db) {
  db_.begin_transaction(taken == lock::immediate);
}

// Its failure is given back by end() only: one who ends a scope this way
// has no use for it.
transaction_scope::~transaction_scope() { end(); }

std::optional<database_manager_error> transaction_scope::end() noexcept {
  if (ended_) return std::nullopt;
  ended_ = true;
  if (!db_.in_transaction()) return std::nullopt;  // SQLite ended it already
  if (rollback_flag) {
    db_.rollback();
    return std::nullopt;
  }
  const auto failure = db_.commit();
  if (failure) db_.rollback();
  return failure;
}

}  // namespace rovev
