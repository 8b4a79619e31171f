#include "db/transaction_scope.hpp"

#include "db/database_manager.hpp"
#include "db/transaction_lost.hpp"

namespace rovev {

transaction_scope::transaction_scope(database_manager& db, lock taken) : db_(db) {
  db_.begin_transaction(taken == lock::immediate);
}

// Its failure is given back by end() only: one who ends a scope this way
// has no use for it. A lost transaction is told by the failure that lost
// it, which is passing now, or was told by end() already.
transaction_scope::~transaction_scope() {
  try {
    end();
  } catch (const transaction_lost&) {
  }
}

std::optional<database_manager_error> transaction_scope::end() {
  if (ended_) return std::nullopt;
  ended_ = true;
  return db_.end_transaction(rollback_flag);
}

}  // namespace rovev
