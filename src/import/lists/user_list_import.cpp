#include "import/lists/user_list_import.hpp"

#include <optional>

#include "base/number_field.hpp"
#include "import/lists/list_file_reader.hpp"
#include "import/lists/manager_user_id.hpp"

namespace rovev {
namespace {

// user id, login name, password hash, (unused), description.
enum class user_column {
  user_id,
  login_user_name,
  hash_password,
  unused,
  description,
  last = description
};
constexpr list_layout<user_column, 5> user_list{
    {messages::start_line{messages::user_list_start},
     messages::finish_line<1>{messages::user_list_finish},
     messages::progress_line<2>{messages::user_list_progress}}};

// The manager's administrator, whom the login name "admin" updates.
constexpr std::int32_t administrator_id = 1;

bool import_user_line(const import_context& context, const list_line& line) {
  report& out = context.out;
  std::int32_t user_id = 0;
  std::optional<std::int32_t> manager_id;
  user_entry user;
  const bool taken = user_list.take_fields(line, [&](user_column column, std::string_view field) {
    switch (column) {
      case user_column::user_id:
        // An id whose manager id would not be a signed 32-bit number is no
        // better than one that is no number at all.
        if (try_to_number(field, user_id)) manager_id = manager_user_id(user_id);
        return manager_id.has_value();
      case user_column::login_user_name:
        user.login_user_name = field;
        break;
      case user_column::hash_password:
        user.hash_password = field;
        break;
      case user_column::unused:
        break;
      case user_column::description:
        user.description = field;
        break;
    }
    return true;
  });
  if (!taken) {
    out.out_error(messages::line_bad_user_id, line.number, messages::not_a_number);
    return false;
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
