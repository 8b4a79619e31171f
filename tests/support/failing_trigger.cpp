#include "support/failing_trigger.hpp"

#include <sqlite3.h>

#include "support/manager_database.hpp"

namespace rovev::testing {
namespace {

void io_error(sqlite3_context* context, int, sqlite3_value**) {
  sqlite3_result_error_code(context, SQLITE_IOERR);
}

int add_io_error(sqlite3* db, char**, const sqlite3_api_routines*) {
  return sqlite3_create_function(db, "io_error", 0, SQLITE_UTF8, nullptr, io_error, nullptr,
                                 nullptr);
}

using extension_entry = void (*)();

}  // namespace

io_error_function::io_error_function() {
  sqlite3_auto_extension(reinterpret_cast<extension_entry>(add_io_error));
}

io_error_function::~io_error_function() {
  sqlite3_cancel_auto_extension(reinterpret_cast<extension_entry>(add_io_error));
}

void fail_inserts(const boost::filesystem::path& database, const std::string& table,
                  const std::string& condition) {
  other_connection(database).exec("create trigger fail_" + table + " after insert on " + table +
                                  " when " + condition + " begin select io_error(); end;");
}

}  // namespace rovev::testing
