#include "db/database_manager_error.hpp"

namespace rovev {
namespace {

// Messages of SQLite's primary result codes 0 to 26; 100 and 101 follow.
constexpr const char* result_messages[] = {
    "Successful result",
    "SQL error or missing database",
    "Internal logic error in SQLite",
    "Access permission denied",
    "Callback routine requested an abort",
    "The database file is locked",
    "A table in the database is locked",
    "A malloc() failed",
    "Attempt to write a readonly database",
    "Operation terminated by sqlite3_interrupt()",
    "Some kind of disk I/O error occurred",
    "The database disk image is malformed",
    "Unknown opcode in sqlite3_file_control()",
    "Insertion failed because database is full",
    "Unable to open the database file",
    "Database lock protocol error",
    "Database is empty",
    "The database schema changed",
    "String or BLOB exceeds size limit",
    "Abort due to constraint violation",
    "Data type mismatch",
    "Library used incorrectly",
    "Uses OS features not supported on host",
    "Authorization denied",
    "Auxiliary database format error",
    "2nd parameter to sqlite3_bind out of range",
    "File opened that is not a database file",
};

const char* message_for(int result) noexcept {
  constexpr int known = sizeof(result_messages) / sizeof(result_messages[0]);
  if (result >= 0 && result < known) return result_messages[result];
  if (result == 100) return "sqlite3_step() has another row ready";
  if (result == 101) return "sqlite3_step() has finished executing";
  return "";
}

std::int32_t code_for(int result) noexcept {
  switch (result) {
    case 0:
      return db_ok;
    case 4:
      return db_abort;
    case 5:
    case 6:
      return db_busy;
    case 7:
    case 10:
      return db_resource;
    case 19:
      return db_constraint;
    default:
      return db_failure;
  }
}

}  // namespace

database_manager_error::database_manager_error(int sqlite_result) noexcept
    : database_failure(sqlite_result, code_for(sqlite_result), message_for(sqlite_result)) {}

database_manager_error database_manager_error::not_initialized() noexcept {
  return database_manager_error(-1, db_failure, "not initialized !");
}

database_manager_error database_manager_error::more_than_one_link() noexcept {
  return database_manager_error(-1, db_failure, "vg.db has more than one hard link");
}

database_manager_error database_manager_error::more_than_one_link(database_side side) noexcept {
  return database_manager_error(-1, db_failure,
                                side == database_side::journal
                                    ? "vg.db-journal has more than one hard link"
                                    : "vg.db-wal has more than one hard link");
}

}  // namespace rovev
