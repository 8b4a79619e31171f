#include "import/lists/user_list_import.hpp"

#include <optional>

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

bool import_user_line(database_manager& db, const list_line& line, report& out) {
  std::int32_t user_id = 0;
  std::optional<std::int32_t> manager_id;
  std::string_view login_name;
  std::string_view hash_password;
  std::string_view description;
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
        login_name = field;
        break;
      case 3:
        hash_password = field;
        break;
      case 5:
        description = field;
        break;
      default:
        break;  // column 4 and beyond are not used
    }
  }
  if (line.field_count != 5) {
    out.out_error(messages::line_column_count, line.number);
    return false;
  }
  if (user_id == -1) {
    out.out_error(messages::line_marked_as_error, line.number);
    return false;
  }
  try {
    if (login_name == "admin") {
      db.update_user("admin", hash_password, description);
    } else {
      db.add_user(*manager_id, login_name, hash_password, description);
    }
    return true;
  } catch (const database_manager_error& error) {
    out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_user_list(input_files& files, const boost::filesystem::path& file,
                             database_manager& db, report& out) {
  import_list_file(
      files, file,
      {messages::user_list_start, messages::user_list_finish, messages::user_list_progress}, out,
      [&](const list_line& line) { return import_user_line(db, line, out); });
  return {};
}

}  // namespace rovev
