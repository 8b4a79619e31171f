// Writers of users, groups, user_groups and group_vg_list.
#include <sqlite3.h>

#include <boost/lexical_cast.hpp>
#include <memory>
#include <utility>

#include "base/decimal_text.hpp"
#include "db/database_manager.hpp"
#include "db/sql_builder.hpp"
#include "db/transaction_scope.hpp"

namespace rovev {
namespace {

int read_id(void* id, int columns, char** values, char**) {
  std::int32_t value;
  if (columns > 0 && values[0] != nullptr &&
      boost::conversion::try_lexical_convert(values[0], value)) {
    *static_cast<std::int32_t*>(id) = value;
  }
  return 0;
}

}  // namespace

void database_manager::add_user(const user_entry& user) {
  sql_builder insert("users", sql_builder::insert);
  insert.add_number("id", user.id);
  insert.add_text("login_user_name", user.login_user_name);
  insert.add_text("hash_password", user.hash_password);
  insert.add_text("description", user.description);
  run(insert);
}

void database_manager::update_user(const user_entry& user) {
  sql_builder update("users", sql_builder::update);
  update.add_text("login_user_name", user.login_user_name);
  if (!user.hash_password.empty()) update.add_text("hash_password", user.hash_password);
  update.add_text("description", user.description);
  update.where.add_number("id", user.id);
  run(update);
}

std::int32_t database_manager::add_group(std::string_view name) {
  // The same select runs before and after the insert.
  sql_builder select_id("groups", sql_builder::select);
  select_id.add_field("id");
  select_id.where.add_text("name", name);
  if (any_row(select_id)) return -1;

  sql_builder insert("groups", sql_builder::insert);
  insert.add_text("name", name);
  run(insert);

  std::int32_t id = -1;
  run(select_id, read_id, &id);
  return id;
}

// The builder makes no delete: these are fixed texts with one number.
void database_manager::clear_user_groups(std::int32_t group_id) {
  exec(with_number("delete from user_groups where group_id=", group_id, ";").c_str());
}

void database_manager::clear_group_appliances(std::int32_t group_id) {
  exec(with_number("delete from group_vg_list where group_id=", group_id, ";").c_str());
}

void database_manager::add_user_groups(std::int32_t group_id, const user_links& users) {
  sql_builder insert("user_groups", sql_builder::insert);
  insert.add_number("group_id", group_id);
  insert.add_parameter("user_id");
  insert.add_parameter("permission");
  const prepared_statement statement = prepare(insert);
  for (const auto& [user_id, permission] : users) {
    sqlite3_reset(statement.get());
    bind(statement.get(), 1, user_id);
    bind(statement.get(), 2, permission);
    step_link(statement.get());
  }
}

void database_manager::add_group_appliances(std::int32_t group_id,
                                            const std::vector<std::uint32_t>& appliance_ids) {
  sql_builder insert("group_vg_list", sql_builder::insert);
  insert.add_number("group_id", group_id);
  insert.add_parameter("vg_list_id");
  const prepared_statement statement = prepare(insert);
  for (const std::uint32_t appliance_id : appliance_ids) {
    sqlite3_reset(statement.get());
    bind(statement.get(), 1, static_cast<std::int32_t>(appliance_id));
    step_link(statement.get());
  }
}

bool database_manager::store_group(const group_entry& group) {
  require_open();
  transaction_scope scope(*this);
  // Rolled back, whatever ends it, unless it gets to its end.
  scope.rollback_flag = true;
  const std::int32_t group_id = add_group(group.name);
  if (group_id == -1) return false;
  clear_user_groups(group_id);
  add_user_groups(group_id, group.users);
  clear_group_appliances(group_id);
  add_group_appliances(group_id, group.appliance_ids);
  scope.rollback_flag = false;
  // A group whose COMMIT fails is lost, so it fails like any statement.
  if (const auto failure = scope.end()) throw *failure;
  return true;
}

}  // namespace rovev
