// What SQLite itself costs for an import: runs, in one transaction, exactly
// the statement texts the tool runs for the same base folder. The texts are
// captured from an untimed in-process import first, then replayed on a fresh
// copy of the database, and only the replay is timed.
//   floor BASE_FOLDER PRISTINE_DB RUNS  ->  "median_seconds statements"
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "app/import_driver.hpp"
#include "db/database_manager.hpp"

namespace fs = boost::filesystem;

namespace {

std::vector<std::string>* captured = nullptr;

int record_statement(unsigned type, void*, void* statement, void* text) {
  const char* sql = static_cast<const char*>(text);
  if (type != SQLITE_TRACE_STMT || std::string(sql).rfind("--", 0) == 0) return 0;  // triggers
  char* expanded = sqlite3_expanded_sql(static_cast<sqlite3_stmt*>(statement));
  const std::string statement_text = expanded != nullptr ? expanded : sql;
  sqlite3_free(expanded);
  if (statement_text != "BEGIN TRANSACTION;" && statement_text != "COMMIT;" &&
      statement_text != "ROLLBACK;") {
    captured->push_back(statement_text);
  }
  return 0;
}

int trace_connection(sqlite3* db, char**, const sqlite3_api_routines*) {
  sqlite3_trace_v2(db, SQLITE_TRACE_STMT, record_statement, nullptr);
  return SQLITE_OK;
}

// Runs the tool's six steps in-process with the console silenced.
std::vector<std::string> capture_statements(const fs::path& base, const fs::path& scratch_db) {
  std::vector<std::string> statements;
  captured = &statements;
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(trace_connection));
  std::fflush(stdout);
  const int saved_out = dup(1);
  const int saved_err = dup(2);
  const int null = open("/dev/null", O_WRONLY);
  dup2(null, 1);
  dup2(null, 2);
  {
    rovev::database_manager db;
    db.open(scratch_db.string());
    rovev::appliance_id_map appliance_ids;
    rovev::run_import_steps(base, db, appliance_ids);
  }
  std::fflush(stdout);
  std::fflush(stderr);
  dup2(saved_out, 1);
  dup2(saved_err, 2);
  close(null);
  close(saved_out);
  close(saved_err);
  sqlite3_reset_auto_extension();
  captured = nullptr;
  return statements;
}

double replay(const std::vector<std::string>& statements, const fs::path& db_file) {
  sqlite3* db = nullptr;
  sqlite3_open(db_file.string().c_str(), &db);
  const auto start = std::chrono::steady_clock::now();
  sqlite3_exec(db, "BEGIN TRANSACTION;", nullptr, nullptr, nullptr);
  for (const std::string& statement : statements) {
    sqlite3_exec(db, statement.c_str(), nullptr, nullptr, nullptr);
  }
  sqlite3_exec(db, "COMMIT;", nullptr, nullptr, nullptr);
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  sqlite3_close(db);
  return elapsed.count();
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::cerr << "usage: floor BASE_FOLDER PRISTINE_DB RUNS\n";
    return 2;
  }
  const fs::path base(argv[1]);
  const fs::path pristine(argv[2]);
  const int runs = std::stoi(argv[3]);
  const fs::path scratch = fs::temp_directory_path() / fs::unique_path("floor-%%%%%%%%.db");

  fs::copy_file(pristine, scratch, fs::copy_option::overwrite_if_exists);
  const std::vector<std::string> statements = capture_statements(base, scratch);

  std::vector<double> seconds;
  for (int run = 0; run < runs; ++run) {
    fs::copy_file(pristine, scratch, fs::copy_option::overwrite_if_exists);
    seconds.push_back(replay(statements, scratch));
  }
  fs::remove(scratch);
  std::sort(seconds.begin(), seconds.end());
  std::cout << seconds[seconds.size() / 2] << ' ' << statements.size() << '\n';
  return 0;
}
