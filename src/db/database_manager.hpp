#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "db/appliance_entry.hpp"
#include "db/database_manager_error.hpp"
#include "db/detection_entry.hpp"
#include "db/group_entry.hpp"
#include "db/host_entry.hpp"
#include "db/hostmove_entry.hpp"
#include "db/user_entry.hpp"
#include "net/ll_addr.hpp"

struct sqlite3;
struct sqlite3_stmt;

namespace rovev {

class run_lock;
class sql_builder;
class transaction_scope;

// The one connection to the manager database and every table writer. Each
// failure of SQLite is thrown as database_manager_error, or as
// transaction_lost when SQLite ended the open transaction with it; from then
// on every statement is refused with transaction_lost, until the scope that
// owns the transaction ends. Transactions are begun and ended by
// transaction_scope only.
class database_manager {
 public:
  database_manager() = default;
  ~database_manager();
  database_manager(const database_manager&) = delete;
  database_manager& operator=(const database_manager&) = delete;

  // Opens the file; one that is no database fails as a file that will not
  // open (result 26). With the run's lock on the file, the file SQLite
  // opened must be the one held (or database_replaced is thrown before
  // anything is read), and it still must be before each transaction begins.
  void open(const std::string& path, const run_lock* held = nullptr);
  // Makes sure the connection can write before anything is imported: the
  // schema reads, the file is not read-only, and the write lock can be had
  // now (it is given back at once). Throws the failure otherwise.
  void ensure_writable();
  void close() noexcept;
  bool is_open() const { return handle_ != nullptr; }
  // The failure with which SQLite ended a transaction on its own, if it ever
  // did, whatever caught it on the way: nothing of that transaction is left.
  const std::optional<database_manager_error>& lost_transaction() const { return lost_for_good_; }

  // Appliances and registered PCs; each writes one row or throws the failure.
  void add_appliance(const appliance_entry& entry);
  // Writes the address's host_flag row unless it has one already.
  void add_host_flag(const ll_addr& lladdr, bool segment_flag);
  // The PC's allow_list row, after its host_flag row. A host_flag write that
  // fails is passed over, the PC registered without it, unless it failed for
  // want of memory or a disk (db_resource), which is thrown.
  void add_host(const host_entry& entry);

  // Users and groups.
  using user_links = std::map<std::int32_t, std::int32_t>;  // user id -> permission
  void add_user(const user_entry& user);
  // Updates the user of the entry's id (the administrator, 1): its login name
  // and description, and its hash unless the entry's is empty.
  void update_user(const user_entry& user);
  // The group, its user links and its appliance links, in a transaction of
  // its own, rolled back when anything fails (and the failure thrown, a
  // COMMIT's included). False, writing nothing, when a group of that name
  // exists already.
  bool store_group(const group_entry& group);
  // store_group's parts, inside its transaction. add_group gives the new
  // group's id, or -1 when a group of that name exists already.
  std::int32_t add_group(std::string_view name);
  void clear_user_groups(std::int32_t group_id);
  // A link row the database refuses is dropped without a word.
  void add_user_groups(std::int32_t group_id, const user_links& users);
  void clear_group_appliances(std::int32_t group_id);
  void add_group_appliances(std::int32_t group_id, const std::vector<std::uint32_t>& appliance_ids);

  // Histories; each writes one row or throws the failure.
  void add_detection_log(const detection_entry& entry);
  void add_hostmove(const hostmove_entry& entry);

 private:
  friend class transaction_scope;
  void begin_transaction(bool immediate);
  // ROLLBACK, or COMMIT and, when that fails, ROLLBACK and its error. Throws
  // transaction_lost when SQLite ended the transaction already.
  std::optional<database_manager_error> end_transaction(bool roll_back);
  // The error of a COMMIT that failed; the transaction may still be open.
  std::optional<database_manager_error> commit() noexcept;
  void rollback() noexcept;

  using row_callback = int (*)(void*, int, char**, char**);
  struct statement_finalizer {
    void operator()(sqlite3_stmt* statement) const noexcept;
  };
  using prepared_statement = std::unique_ptr<sqlite3_stmt, statement_finalizer>;

  void require_open() const;
  // Throws the failure of a statement: transaction_lost when SQLite ended
  // the open transaction with it, else database_manager_error.
  [[noreturn]] void fail(int result);
  bool transaction_ended_by_sqlite() const;
  void refuse_if_transaction_lost() const;
  void exec(const char* sql, row_callback callback = nullptr, void* argument = nullptr);
  void run(const sql_builder& statement, row_callback callback = nullptr, void* argument = nullptr);
  prepared_statement prepare(const sql_builder& statement);
  void bind(sqlite3_stmt* statement, int index, std::int32_t value);
  void step_link(sqlite3_stmt* statement);
  // Whether the query gives at least one row; every row is visited.
  bool any_row(const sql_builder& query);
  int exec_unchecked(const char* sql) noexcept;

  sqlite3* handle_ = nullptr;
  const run_lock* held_ = nullptr;
  // Between a BEGIN and its COMMIT or ROLLBACK, unless SQLite ended it.
  bool in_transaction_ = false;
  // Set when SQLite ended the open transaction on its own: the failure that
  // ended it, with which every statement is refused until the transaction's
  // scope ends.
  std::optional<database_manager_error> lost_transaction_;
  std::optional<database_manager_error> lost_for_good_;  // the same, never cleared
  std::string statement_;                                // the text of the statement being run
};

}  // namespace rovev
