// Replays the statements an import ran on a fresh database, one of three
// ways, and prints the seconds the statements took, wall then CPU:
//   naive  every text through sqlite3_exec, with SQLite as it comes
//   tuned  the same with SQLite configured as the tool configures it
//   limit  tuned, and every insert through one prepared statement per shape
//          of statement with its values bound: what SQLite can do at all,
//          out of reach of a tool that writes its values into the text
//   replay_statements naive|tuned|limit STATEMENTS_FILE DB
#include <sqlite3.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <iostream>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>
#include <vector>

#include "db/sqlite_library.hpp"
#include "statements_file.hpp"

namespace {

using value = std::variant<std::int64_t, std::string>;

// An insert as a shape ("insert into t(a,b) VALUES(?,?)") and its values;
// other statements keep their text and no shape.
struct statement {
  std::string text;
  int shape = -1;
  std::vector<value> values;
};

bool as_integer(const std::string& token, std::int64_t& number) {
  if (token.empty() || token.size() > 18) return false;
  std::size_t start = token[0] == '-' ? 1 : 0;
  if (start == token.size()) return false;
  for (std::size_t i = start; i < token.size(); ++i) {
    if (token[i] < '0' || token[i] > '9') return false;
  }
  number = std::stoll(token);
  return true;
}

// Quoted texts and integers become bound values; anything else (an SQL
// expression) stays in the shape.
statement shape_of(const std::string& text, std::unordered_map<std::string, int>& shapes) {
  statement result;
  result.text = text;
  const std::size_t values_at = text.find(" VALUES(");
  if (text.rfind("insert ", 0) != 0 || values_at == std::string::npos) return result;
  std::string shape = text.substr(0, values_at + 8);
  std::size_t at = values_at + 8;
  const std::size_t end = text.size() - 1;  // the closing parenthesis
  while (at < end) {
    if (text[at] == '\'') {
      std::string quoted;
      for (++at; at < end; ++at) {
        if (text[at] == '\'' && text[at + 1] == '\'') {
          quoted += '\'';
          ++at;
        } else if (text[at] == '\'') {
          ++at;
          break;
        } else {
          quoted += text[at];
        }
      }
      result.values.emplace_back(std::move(quoted));
      shape += '?';
    } else {
      int depth = 0;
      std::string token;
      for (; at < end && (depth > 0 || text[at] != ','); ++at) {
        depth += text[at] == '(' ? 1 : text[at] == ')' ? -1 : 0;
        if (text[at] == '\'') {  // a quoted argument of an expression
          token += text[at++];
          while (at < end && text[at] != '\'') token += text[at++];
        }
        token += text[at];
      }
      std::int64_t number;
      if (as_integer(token, number)) {
        result.values.emplace_back(number);
        shape += '?';
      } else {
        shape += token;
      }
    }
    if (at < end && text[at] == ',') {
      shape += ',';
      ++at;
    }
  }
  shape += ')';
  result.shape = shapes.emplace(shape, static_cast<int>(shapes.size())).first->second;
  return result;
}

double cpu_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
         static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

void check(int result, sqlite3* db, const std::string& what) {
  if (result != SQLITE_OK && result != SQLITE_DONE && result != SQLITE_ROW) {
    throw std::runtime_error(what + ": " + sqlite3_errmsg(db));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  const std::string mode = argc == 4 ? argv[1] : "";
  if (mode != "naive" && mode != "tuned" && mode != "limit") {
    std::cerr << "usage: replay_statements naive|tuned|limit STATEMENTS_FILE DB\n";
    return 2;
  }
  const std::vector<std::string> texts = rovev::bench::read_statements(argv[2]);
  std::unordered_map<std::string, int> shapes;
  std::vector<statement> statements;
  for (const std::string& text : texts) {
    if (mode == "limit") {
      statements.push_back(shape_of(text, shapes));
    } else {
      statements.emplace_back().text = text;
    }
  }
  std::optional<rovev::sqlite_library> tuned;
  if (mode != "naive") tuned.emplace();

  sqlite3* db = nullptr;
  if (sqlite3_open(argv[3], &db) != SQLITE_OK) {
    std::cerr << "cannot open " << argv[3] << "\n";
    return 1;
  }
  try {
    std::vector<sqlite3_stmt*> prepared(shapes.size(), nullptr);
    for (const auto& [shape, index] : shapes) {
      check(sqlite3_prepare_v2(db, shape.c_str(), -1, &prepared[index], nullptr), db, shape);
    }
    const auto wall_start = std::chrono::steady_clock::now();
    const double cpu_start = cpu_seconds();
    for (const statement& one : statements) {
      if (one.shape < 0) {
        // Refusals (constraints, like the tool's) are part of the work.
        sqlite3_exec(db, one.text.c_str(), nullptr, nullptr, nullptr);
        continue;
      }
      sqlite3_stmt* insert = prepared[one.shape];
      for (std::size_t i = 0; i < one.values.size(); ++i) {
        const int index = static_cast<int>(i + 1);
        if (const auto* number = std::get_if<std::int64_t>(&one.values[i])) {
          sqlite3_bind_int64(insert, index, *number);
        } else {
          const std::string& text = std::get<std::string>(one.values[i]);
          sqlite3_bind_text(insert, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_STATIC);
        }
      }
      sqlite3_step(insert);
      sqlite3_reset(insert);
    }
    const std::chrono::duration<double> wall = std::chrono::steady_clock::now() - wall_start;
    const double cpu = cpu_seconds() - cpu_start;
    for (sqlite3_stmt* insert : prepared) sqlite3_finalize(insert);
    std::cout << wall.count() << ' ' << cpu << '\n';
  } catch (const std::exception& error) {
    std::cerr << error.what() << "\n";
    sqlite3_close(db);
    return 1;
  }
  sqlite3_close(db);
  return 0;
}
