#include "import/lists/group_list_import.hpp"

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

// (unused), group name, appliance ids or "ALL", users with permission 1,
// users with permission 2; no column count, and further columns ignored.
enum class group_column {
  unused,
  name,
  appliance_ids,
  users_with_permission_1,
  users_with_permission_2,
  last = users_with_permission_2
};
constexpr list_layout<group_column, 5> group_list{
    {messages::start_line{messages::group_list_start},
     messages::finish_line<1>{messages::group_list_finish},
     messages::progress_line<2>{messages::group_list_progress}}};

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
  group_entry group;
  bool named = false;
  const bool taken = group_list.take_fields(line, [&](group_column column, std::string_view field) {
    switch (column) {
      case group_column::unused:
        break;
      case group_column::name:
        group.name = field;
        named = true;
        break;
      case group_column::appliance_ids:
        if (field == "ALL") return false;
        for (const std::string_view piece : split_fields(field, "/")) {
          std::uint32_t appliance_id;
          if (try_to_number(piece, appliance_id)) group.appliance_ids.push_back(appliance_id);
        }
        break;
      case group_column::users_with_permission_1:
        add_users(field, 1, group.users);
        break;
      case group_column::users_with_permission_2:
        add_users(field, 2, group.users);
        break;
    }
    return true;
  });
  // Without a name there is no group; a group of all appliances is not
  // imported.
  if (!named || !taken) return false;
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
