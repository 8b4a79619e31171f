#include "db/database_manager.hpp"

#include <sqlite3.h>

#include <cstdlib>
#include <utility>

#include "base/decimal_text.hpp"
#include "base/large_buffer.hpp"
#include "db/database_replaced.hpp"
#include "db/run_lock.hpp"
#include "db/sql_builder.hpp"
#include "db/transaction_lost.hpp"
#include "db/transaction_scope.hpp"

namespace rovev {

database_manager::~database_manager() { close(); }

void database_manager::open(const std::string& path, const run_lock* held) {
  close();
  held_ = held;
  int result = sqlite3_open(path.c_str(), &handle_);
  // sqlite3_open opens the file and reads nothing: a file put in place of
  // the one held before then is told before its journal is looked at.
  if (result == SQLITE_OK && held_ != nullptr) {
    try {
      held_->ensure_still_named();
    } catch (const database_replaced&) {
      close();
      throw;
    }
  }
  // The schema is where a file that is no database shows.
  if (result == SQLITE_OK &&
      exec_unchecked("select count(*) from sqlite_master;") == SQLITE_NOTADB) {
    result = SQLITE_NOTADB;
  }
  if (result != SQLITE_OK) {
    close();
    throw database_manager_error(result);
  }
}

void database_manager::ensure_writable() {
  require_open();
  // Since SQLite 3.22 BEGIN IMMEDIATE on a read-only file quietly becomes a
  // read transaction, so the connection is asked first.
  if (sqlite3_db_readonly(handle_, "main") == 1) throw database_manager_error(SQLITE_READONLY);
  exec("select count(*) from sqlite_master;");
  // The write lock, taken and given back; no busy timeout is set, so a lock
  // held elsewhere fails at once. Inside it one real change, which needs the
  // rollback journal beside vg.db (the lock alone does not): the same
  // user_version written again, and rolled back.
  transaction_scope write_lock(*this, transaction_scope::lock::immediate);
  write_lock.rollback_flag = true;
  std::int64_t user_version = 0;
  exec(
      "PRAGMA user_version;",
      [](void* version, int columns, char** values, char**) {
        if (columns > 0 && values[0] != nullptr) {
          *static_cast<std::int64_t*>(version) = std::strtoll(values[0], nullptr, 10);
        }
        return 0;
      },
      &user_version);
  exec(with_number("PRAGMA user_version = ", user_version).c_str());
}

void database_manager::close() noexcept {
  if (handle_ != nullptr) sqlite3_close(handle_);
  handle_ = nullptr;
}

void database_manager::require_open() const {
  if (handle_ == nullptr) throw database_manager_error::not_initialized();
}

bool database_manager::transaction_ended_by_sqlite() const {
  return in_transaction_ && sqlite3_get_autocommit(handle_) != 0;
}

void database_manager::fail(int result) {
  const database_manager_error error(result);
  if (transaction_ended_by_sqlite()) {
    in_transaction_ = false;
    lost_transaction_ = error;
    lost_for_good_ = error;
    throw transaction_lost(error);
  }
  throw error;
}

// Whatever ran after SQLite ended a step's transaction would commit by
// itself, outside the step: so nothing runs until the step's scope ends,
// whatever a caller does with the error.
void database_manager::refuse_if_transaction_lost() const {
  if (lost_transaction_) throw transaction_lost(*lost_transaction_);
}

void database_manager::exec(const char* sql, row_callback callback, void* argument) {
  refuse_if_transaction_lost();
  const int result = sqlite3_exec(handle_, sql, callback, argument, nullptr);
  if (result != SQLITE_OK) fail(result);
}

// Every built statement is written into the one buffer, which the next
// reuses; one that grew for a long value is given back at once.
void database_manager::run(const sql_builder& statement, row_callback callback, void* argument) {
  refuse_if_transaction_lost();
  statement.write_sql(statement_);
  const int result = sqlite3_exec(handle_, statement_.c_str(), callback, argument, nullptr);
  release_if_large(statement_);
  if (result != SQLITE_OK) fail(result);
}

void database_manager::statement_finalizer::operator()(sqlite3_stmt* statement) const noexcept {
  sqlite3_finalize(statement);
}

database_manager::prepared_statement database_manager::prepare(const sql_builder& text) {
  refuse_if_transaction_lost();
  text.write_sql(statement_);
  sqlite3_stmt* statement = nullptr;
  const int result = sqlite3_prepare(handle_, statement_.c_str(), -1, &statement, nullptr);
  prepared_statement owned(statement);
  release_if_large(statement_);
  if (result != SQLITE_OK) fail(result);
  return owned;
}

void database_manager::bind(sqlite3_stmt* statement, int index, std::int32_t value) {
  refuse_if_transaction_lost();
  const int result = sqlite3_bind_int(statement, index, value);
  if (result != SQLITE_OK) fail(result);
}

// A link row the database refuses is dropped; only "busy" is tried again,
// at once. The program holds its one connection, so busy means another
// process holds a lock on vg.db; the group's transaction already holds the
// write lock (its group row is in), so only a reader that keeps SQLite from
// writing its cache to the file can cause it, and the loop ends when that
// reader ends its transaction. A failure that ended the group's transaction
// stops the group.
void database_manager::step_link(sqlite3_stmt* statement) {
  refuse_if_transaction_lost();
  int result;
  while ((result = sqlite3_step(statement)) == SQLITE_BUSY) {
  }
  if (result != SQLITE_DONE && result != SQLITE_ROW && transaction_ended_by_sqlite()) {
    // A statement from sqlite3_prepare tells its own error only on reset.
    fail(sqlite3_reset(statement));
  }
}

bool database_manager::any_row(const sql_builder& query) {
  bool found = false;
  run(
      query,
      [](void* found_row, int, char**, char**) {
        *static_cast<bool*>(found_row) = true;
        return 0;
      },
      &found);
  return found;
}

int database_manager::exec_unchecked(const char* sql) noexcept {
  return sqlite3_exec(handle_, sql, nullptr, nullptr, nullptr);
}

void database_manager::begin_transaction(bool immediate) {
  require_open();
  if (held_ != nullptr) held_->ensure_still_named();
  exec(immediate ? "BEGIN IMMEDIATE;" : "BEGIN TRANSACTION;");
  in_transaction_ = true;
}

std::optional<database_manager_error> database_manager::end_transaction(bool roll_back) {
  if (!in_transaction_) {
    // SQLite ended it already, with the failure of a statement: whatever
    // caught that failure on the way, the end of its owner tells it.
    if (const auto lost = std::exchange(lost_transaction_, std::nullopt)) {
      throw transaction_lost(*lost);
    }
    return std::nullopt;
  }
  if (roll_back) {
    rollback();
    return std::nullopt;
  }
  auto failure = commit();
  if (failure) rollback();
  return failure;
}

// A COMMIT that fails is a failed commit, whether or not SQLite ended the
// transaction with it: the step's work is done either way.
std::optional<database_manager_error> database_manager::commit() noexcept {
  const int result = exec_unchecked("COMMIT;");
  if (result == SQLITE_OK || sqlite3_get_autocommit(handle_) != 0) in_transaction_ = false;
  if (result != SQLITE_OK) return database_manager_error(result);
  return std::nullopt;
}

void database_manager::rollback() noexcept {
  if (handle_ != nullptr) exec_unchecked("ROLLBACK;");
  in_transaction_ = false;
}

}  // namespace rovev
