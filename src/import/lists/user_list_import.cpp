#include "import/lists/user_list_import.hpp"

#include <limits>

#include "import/lists/list_file_reader.hpp"
#include "import/lists/list_messages.hpp"
#include "import/number_field.hpp"

namespace rovev {
namespace {

constexpr std::int32_t manager_id_offset = 10;

bool import_line(database_manager& db, const list_line& line) {
  std::int32_t user_id = 0;
  std::string_view login_name;
  std::string_view hash_password;
  std::string_view description;
  for (std::size_t column = 1; column <= line.fields.size(); ++column) {
    const std::string& field = line.fields[column - 1];
    switch (column) {
      case 1:
        try {
          user_id = to_number<std::int32_t>(field);
          // The manager id, user id + 10, must stay a signed 32-bit number.
          if (user_id > std::numeric_limits<std::int32_t>::max() - manager_id_offset) {
            throw boost::bad_lexical_cast();
          }
        } catch (const boost::bad_lexical_cast& error) {
          report_line_error(line.number,
                            "%u行目でエラーが発生しました  (Message: 無効なユーザIDです  what: %s)",
                            error.what());
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
  if (line.fields.size() != 5) {
    report_line_error(line.number, list_messages::column_count);
    return false;
  }
  if (user_id == -1) {
    report_line_error(line.number, "%u行目でエラーが発生しました  (Message: エラー行です)");
    return false;
  }
  try {
    if (login_name == "admin") {
      db.update_user("admin", hash_password, description);
    } else {
      db.add_user(user_id + manager_id_offset, login_name, hash_password, description);
    }
    return true;
  } catch (const database_manager_error& error) {
    report_line_error(line.number, list_messages::store_failed, error.what());
    return false;
  }
}

}  // namespace

bool import_user_list(const boost::filesystem::path& file, database_manager& db) {
  return import_list_file(file, "ユーザ一覧の取り込みを開始します: ",
                          "ユーザ一覧の取り込みが完了しました。%u件取り込みました。",
                          [&](const list_line& line) { return import_line(db, line); });
}

}  // namespace rovev
