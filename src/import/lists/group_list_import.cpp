#include "import/lists/group_list_import.hpp"

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

// (unused), group name, appliance ids or "ALL", users with permission 1,
// users with permission 2; no column count, and further columns ignored.
constexpr list_layout<5> group_list{
    {messages::group_list_start, messages::group_list_finish, messages::group_list_progress}};

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

bool import_group_line(const import_context& context, const list_line& line) {
  // Without a name there is no group.
  if (line.fields.size() < 2) return false;
  group_entry group;
  group.name = line.fields[1];
  if (line.fields.size() > 2) {
    if (line.fields[2] == "ALL") return false;
    for (const std::string_view piece : split_fields(line.fields[2], "/")) {
      std::uint32_t appliance_id;
      if (try_to_number(piece, appliance_id)) group.appliance_ids.push_back(appliance_id);
    }
  }
  if (line.fields.size() > 3) add_users(line.fields[3], 1, group.users);
  if (line.fields.size() > 4) add_users(line.fields[4], 2, group.users);
  try {
    context.db.store_group(group);
    return true;
  } catch (const database_manager_error& error) {
    context.out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_group_list(const import_context& context, const boost::filesystem::path& file) {
  import_list_file(context.files, file, group_list.lines, context.out,
                   [&](const list_line& line) { return import_group_line(context, line); });
  return {};
}

}  // namespace rovev
