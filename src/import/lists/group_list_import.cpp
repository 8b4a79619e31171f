#include "import/lists/group_list_import.hpp"

#include <limits>

#include "import/lists/list_file_reader.hpp"
#include "import/lists/list_messages.hpp"
#include "import/number_field.hpp"

namespace rovev {
namespace {

// Manager user id of an appliance user id: the administrator 0 is user 1,
// every other user is moved up by 10. False when that leaves the range.
bool to_manager_user_id(std::int32_t user_id, std::int32_t& manager_id) {
  if (user_id == 0) {
    manager_id = 1;
    return true;
  }
  if (user_id > std::numeric_limits<std::int32_t>::max() - 10) return false;
  manager_id = user_id + 10;
  return true;
}

// Pieces that are no number are dropped without a word.
void add_users(const std::string& field, std::int32_t permission,
               database_manager::user_links& users) {
  for (const std::string& piece : split_fields(field, "/")) {
    std::int32_t user_id;
    std::int32_t manager_id;
    if (try_to_number(piece, user_id) && to_manager_user_id(user_id, manager_id)) {
      users[manager_id] = permission;
    }
  }
}

bool import_line(database_manager& db, const list_line& line) {
  // Without a name there is no group.
  if (line.fields.size() < 2) return false;
  const std::string& name = line.fields[1];
  std::vector<std::uint32_t> appliance_ids;
  database_manager::user_links users;
  if (line.fields.size() > 2) {
    if (line.fields[2] == "ALL") return false;
    for (const std::string& piece : split_fields(line.fields[2], "/")) {
      std::uint32_t appliance_id;
      if (try_to_number(piece, appliance_id)) appliance_ids.push_back(appliance_id);
    }
  }
  if (line.fields.size() > 3) add_users(line.fields[3], 1, users);
  if (line.fields.size() > 4) add_users(line.fields[4], 2, users);
  try {
    db.store_group(name, appliance_ids, users);
    return true;
  } catch (const database_manager_error& error) {
    report_line_error(line.number, list_messages::store_failed, error.what());
    return false;
  }
}

}  // namespace

bool import_group_list(const boost::filesystem::path& file, database_manager& db) {
  return import_list_file(file, "グループ一覧の取り込みを開始します: ",
                          "グループ一覧の取り込みが完了しました。%u件取り込みました。",
                          [&](const list_line& line) { return import_line(db, line); });
}

}  // namespace rovev
