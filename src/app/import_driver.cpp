#include "app/import_driver.hpp"

#include <boost/filesystem/operations.hpp>
#include <exception>

#include "app/console.hpp"
#include "db/database_manager.hpp"
#include "import/lists/appliance_list_import.hpp"
#include "import/lists/group_list_import.hpp"
#include "import/lists/user_list_import.hpp"
#include "import/records/detection_history_import.hpp"
#include "import/records/movement_history_import.hpp"
#include "import/records/registered_pc_import.hpp"

namespace rovev {

int run_import_steps(const boost::filesystem::path& base_folder, database_manager& db,
                     appliance_id_map& appliance_ids) {
  try {
    // Every step runs whatever the steps before it reported.
    import_appliance_list(db, base_folder / "vellgard.list", appliance_ids);
    import_user_list(base_folder / "manager.user", db);
    import_group_list(base_folder / "vellgard.group", db);
    import_registered_pcs(db, base_folder, appliance_ids);
    import_detection_history(base_folder / "hist", db);
    import_movement_history(base_folder / "hostmove", db);
  } catch (const database_manager_error& error) {
    console::out("    [Error]: データベースエラーのため取り込みを中止しました  (what: %s)",
                 error.what());
    return 1;
  } catch (const std::exception& error) {
    console::out("    [Error]: 予期しないエラーのため取り込みを中止しました  (what: %s)",
                 error.what());
    return 1;
  }
  return db.commit_failed() ? 1 : 0;
}

int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids) {
  const std::string quoted_folder = console::quoted(base_folder);
  boost::system::error_code status_error;
  boost::filesystem::status(base_folder / "vg.db", status_error);
  if (status_error) {
    console::out("vg.dbファイルを%sに置いてください", quoted_folder);
    return 1;
  }

  database_manager db;
  try {
    db.open((base_folder / "vg.db").string());
  } catch (const database_manager_error&) {
    console::out("データベースエラーです。vg.dbファイルを%sに置いてください", quoted_folder);
    return 1;
  }

  const int status = run_import_steps(base_folder, db, appliance_ids);
  db.close();
  return status;
}

}  // namespace rovev
