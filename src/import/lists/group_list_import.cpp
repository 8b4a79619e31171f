#include "import/lists/group_list_import.hpp"

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

// Pieces that are no number, or whose manager id would leave the signed
// 32-bit range, are dropped without a word.
void add_users(std::string_view field, std::int32_t permission,
               database_manager::user_links& users) {
  for (const std::string_view piece : split_fields(field, "/")) {
    std::int32_t user_id;
    if (!try_to_number(piece, user_id)) continue;
    if (const auto manager_id = member_user_id(user_id)) users[*manager_id] = permission;
  }
}

bool import_group_line(database_manager& db, const list_line& line, report& out) {
  // Without a name there is no group.
  if (line.fields.size() < 2) return false;
  const std::string_view name = line.fields[1];
  std::vector<std::uint32_t> appliance_ids;
  database_manager::user_links users;
  if (line.fields.size() > 2) {
    if (line.fields[2] == "ALL") return false;
    for (const std::string_view piece : split_fields(line.fields[2], "/")) {
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
    out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_group_list(input_files& files, const boost::filesystem::path& file,
                              database_manager& db, report& out) {
  import_list_file(
      files, file,
      {messages::group_list_start, messages::group_list_finish, messages::group_list_progress}, out,
      [&](const list_line& line) { return import_group_line(db, line, out); });
  return {};
}

}  // namespace rovev
