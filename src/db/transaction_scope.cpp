#include "db/transaction_scope.hpp"

#include "app/console.hpp"
#include "db/database_manager.hpp"

namespace rovev {

transaction_scope::transaction_scope(database_manager& db) : db_(db) { db_.begin_transaction(); }

transaction_scope::~transaction_scope() {
  if (rollback_flag) {
    db_.rollback();
    return;
  }
  try {
    db_.commit();
  } catch (const database_manager_error& error) {
    console::out("    [Error]: コミットに失敗しました  (what: %s)", error.what());
    db_.rollback();
    db_.mark_commit_failed();
  }
}

}  // namespace rovev
