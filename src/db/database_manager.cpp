#include "db/database_manager.hpp"

#include <sqlite3.h>

#include "db/sqlite_setup.hpp"
#include "db/transaction_lost.hpp"

namespace rovev {

database_manager::~database_manager() { close(); }

void database_manager::open(const std::string& path) {
  configure_sqlite_library();
  close();
  int result = sqlite3_open(path.c_str(), &handle_);
  // sqlite3_open reads nothing; the schema is where a file that is no
  // database shows.
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
  // No busy timeout is set: a write lock held elsewhere fails at once.
  exec("BEGIN IMMEDIATE;");
  exec_unchecked("ROLLBACK;");
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
  if (transaction_ended_by_sqlite()) {
    in_transaction_ = false;
    throw transaction_lost(database_manager_error(result));
  }
  throw database_manager_error(result);
}

void database_manager::exec(const std::string& sql, row_callback callback, void* argument) {
  const int result = sqlite3_exec(handle_, sql.c_str(), callback, argument, nullptr);
  if (result != SQLITE_OK) fail(result);
}

bool database_manager::any_row(const std::string& sql) {
  bool found = false;
  exec(
      sql,
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

void database_manager::begin_transaction() {
  require_open();
  exec("BEGIN TRANSACTION;");
  in_transaction_ = true;
}

// A COMMIT that fails is a failed commit, whether or not SQLite ended the
// transaction with it: the step's work is done either way.
void database_manager::commit() {
  require_open();
  const int result = exec_unchecked("COMMIT;");
  if (result == SQLITE_OK || sqlite3_get_autocommit(handle_) != 0) in_transaction_ = false;
  if (result != SQLITE_OK) throw database_manager_error(result);
}

void database_manager::rollback() noexcept {
  if (handle_ != nullptr) exec_unchecked("ROLLBACK;");
  in_transaction_ = false;
}

}  // namespace rovev
