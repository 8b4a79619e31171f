// Makes a manager database from a schema, the one way this project makes
// vg.db: for the demo, the benchmark, the package check and, once per build,
// the template every test copies.
//   make_manager_database SCHEMA_FILE DATABASE
#include <sqlite3.h>

#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::cerr << "usage: make_manager_database SCHEMA_FILE DATABASE\n";
    return 2;
  }
  std::ifstream file(argv[1], std::ios::binary);
  const std::string schema(std::istreambuf_iterator<char>(file), {});
  sqlite3* db = nullptr;
  const bool made = file && sqlite3_open(argv[2], &db) == SQLITE_OK &&
                    sqlite3_exec(db, schema.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  if (!made) std::cerr << "make_manager_database: " << (db ? sqlite3_errmsg(db) : argv[1]) << "\n";
  sqlite3_close(db);
  return made ? 0 : 1;
}
