// Runs the tool's six steps in-process on a base folder and a scratch copy of
// its database, and writes every statement SQLite ran, in order and with the
// transaction statements, to a file (bound values of prepared statements
// written into their texts).
//   capture_statements BASE_FOLDER SCRATCH_DB STATEMENTS_FILE
#include <sqlite3.h>

#include <boost/filesystem/path.hpp>
#include <iostream>

#include "app/import_driver.hpp"
#include "db/database_manager.hpp"
#include "db/sqlite_library.hpp"
#include "os/disk_files.hpp"
#include "statements_file.hpp"

namespace {

struct silent_report final : rovev::report {
  void write(channel, std::string_view) override {}
};

int record_statement(unsigned type, void* file, void* statement, void* text) {
  const char* sql = static_cast<const char*>(text);
  if (type != SQLITE_TRACE_STMT || std::string_view(sql).rfind("--", 0) == 0) return 0;  // triggers
  char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
  rovev::bench::write_statement(*static_cast<std::ofstream*>(file),
                                expanded != nullptr ? expanded : sql);
  sqlite3_free(expanded);
  return 0;
}

std::ofstream* capture_file = nullptr;

int trace_connection(sqlite3* db, char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, record_statement, capture_file);
  return SQLITE_OK;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::cerr << "usage: capture_statements BASE_FOLDER SCRATCH_DB STATEMENTS_FILE\n";
    return 2;
  }
  std::ofstream file(argv[3], std::ios::binary | std::ios::trunc);
  capture_file = &file;
  const rovev::sqlite_library sqlite;  // as the tool sets it up
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(trace_connection));
  rovev::database_manager db;
  db.open(argv[2]);
  rovev::appliance_id_map appliance_ids;
  silent_report out;
  rovev::disk_files files;
  rovev::run_import_steps({db, files, out, appliance_ids}, argv[1]);
  db.close();
  return file ? 0 : 1;
}
