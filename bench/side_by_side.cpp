// The tool against SQLite's own floor, measured side by side: the floor runs,
// in one transaction, exactly the statement texts the tool runs for the same
// base folder. The texts are captured from an untimed in-process import
// first; then each round times one replay on a fresh copy of the database
// and one run of the tool on another, so that both meet the same load.
//   side_by_side RUN_TIMED TOOL BASE_FOLDER PRISTINE_DB ROUNDS
//   -> "tool_median_s floor_median_s statements tool_peak_kib"
#include <sqlite3.h>

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <chrono>
#include <cstdio>
#include <iostream>
#include <stdexcept>
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

struct silent_report final : rovev::report {
  void write(channel, std::string_view) override {}
};

// Runs the tool's six steps in-process, their lines thrown away.
std::vector<std::string> capture_statements(const fs::path& base, const fs::path& scratch_db) {
  std::vector<std::string> statements;
  captured = &statements;
  sqlite3_auto_extension(reinterpret_cast<void (*)()>(trace_connection));
  {
    rovev::database_manager db;
    db.open(scratch_db.string());
    rovev::appliance_id_map appliance_ids;
    silent_report out;
    rovev::run_import_steps(base, db, appliance_ids, out);
  }
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

struct tool_run {
  double seconds;
  long peak_kib;
};

// One run of the tool on the base folder through run_timed, which reports its
// wall time and peak memory. (A child spawned from this process would report
// this process's own peak, the captured statements included.)
tool_run run_tool(const std::string& run_timed, const std::string& tool, const fs::path& base) {
  const std::string command = run_timed + " " + tool + " --path '" + base.string() + "'";
  FILE* output = popen(command.c_str(), "r");
  if (output == nullptr) throw std::runtime_error("cannot start " + command);
  tool_run run{};
  const int read = std::fscanf(output, "%lf %ld", &run.seconds, &run.peak_kib);
  if (pclose(output) != 0 || read != 2) throw std::runtime_error("failed: " + command);
  return run;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 6) {
    std::cerr << "usage: side_by_side RUN_TIMED TOOL BASE_FOLDER PRISTINE_DB ROUNDS\n";
    return 2;
  }
  const std::string run_timed = argv[1];
  const std::string tool = argv[2];
  const fs::path base(argv[3]);
  const fs::path pristine(argv[4]);
  const int rounds = std::stoi(argv[5]);
  const fs::path scratch = fs::temp_directory_path() / fs::unique_path("floor-%%%%%%%%.db");

  fs::copy_file(pristine, scratch, fs::copy_option::overwrite_if_exists);
  const std::vector<std::string> statements = capture_statements(base, scratch);

  std::vector<double> floor_seconds;
  std::vector<double> tool_seconds;
  long peak_kib = 0;
  for (int round = 0; round < rounds; ++round) {
    fs::copy_file(pristine, scratch, fs::copy_option::overwrite_if_exists);
    floor_seconds.push_back(replay(statements, scratch));
    fs::copy_file(pristine, base / "vg.db", fs::copy_option::overwrite_if_exists);
    const tool_run run = run_tool(run_timed, tool, base);
    tool_seconds.push_back(run.seconds);
    peak_kib = std::max(peak_kib, run.peak_kib);
  }
  fs::remove(scratch);
  fs::remove(base / "vg.db");
  std::cout << median(tool_seconds) << ' ' << median(floor_seconds) << ' ' << statements.size()
            << ' ' << peak_kib << '\n';
  return 0;
}
