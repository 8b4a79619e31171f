#include "import/lists/user_list_import.hpp"

#include <optional>

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

// user id, login name, password hash, (unused), description.
constexpr list_layout<5> user_list{
    {messages::user_list_start, messages::user_list_finish, messages::user_list_progress}};

// The manager's administrator, whom the login name "admin" updates.
constexpr std::int32_t administrator_id = 1;

bool import_user_line(const import_context& context, const list_line& line) {
  report& out = context.out;
  std::int32_t user_id = 0;
  std::optional<std::int32_t> manager_id;
  user_entry user;
  for (std::size_t column = 1; column <= line.fields.size(); ++column) {
    const std::string_view field = line.fields[column - 1];
    switch (column) {
      case 1:
        // An id whose manager id would not be a signed 32-bit number is no
        // better than one that is no number at all.
        if (try_to_number(field, user_id)) manager_id = manager_user_id(user_id);
        if (!manager_id) {
          out.out_error(messages::line_bad_user_id, line.number, messages::not_a_number);
          return false;
        }
        break;
      case 2:
        user.login_user_name = field;
        break;
      case 3:
        user.hash_password = field;
        break;
      case 5:
        user.description = field;
        break;
      default:
        break;  // column 4 and beyond are not used
    }
  }
  if (line.field_count != user_list.columns) {
    out.out_error(messages::line_column_count, line.number);
    return false;
  }
  if (user_id == -1) {
    out.out_error(messages::line_marked_as_error, line.number);
    return false;
  }
  try {
    if (user.login_user_name == "admin") {
      user.id = administrator_id;
      context.db.update_user(user);
    } else {
      user.id = *manager_id;
      context.db.add_user(user);
    }
    return true;
  } catch (const database_manager_error& error) {
    out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_user_list(const import_context& context, const boost::filesystem::path& file) {
  import_list_file(context.files, file, user_list.lines, context.out,
                   [&](const list_line& line) { return import_user_line(context, line); });
  return {};
}

}  // namespace rovev
