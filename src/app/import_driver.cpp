#include "app/import_driver.hpp"

#include <boost/filesystem/operations.hpp>
#include <exception>

#include "base/quoted_path.hpp"
#include "db/database_manager.hpp"
#include "db/transaction_lost.hpp"
#include "import/lists/appliance_list_import.hpp"
#include "import/lists/group_list_import.hpp"
#include "import/lists/user_list_import.hpp"
#include "import/records/detection_history_import.hpp"
#include "import/records/movement_history_import.hpp"
#include "import/records/registered_pc_import.hpp"

namespace rovev {

int run_import_steps(const boost::filesystem::path& base_folder, database_manager& db,
                     appliance_id_map& appliance_ids, report& out) {
  try {
    // Every step runs whatever the steps before it reported.
    import_appliance_list(db, base_folder / "vellgard.list", appliance_ids, out);
    import_user_list(base_folder / "manager.user", db, out);
    import_group_list(base_folder / "vellgard.group", db, out);
    import_registered_pcs(db, base_folder, appliance_ids, out);
    import_detection_history(base_folder / "hist", db, out);
    import_movement_history(base_folder / "hostmove", db, out);
  } catch (const transaction_lost& error) {
    out.error(messages::aborted_by_database, error.what());
    return 1;
  } catch (const database_manager_error& error) {
    out.error(messages::aborted_by_database, error.what());
    return 1;
  } catch (const std::exception& error) {
    out.error(messages::aborted_unexpectedly, error.what());
    return 1;
  }
  return db.commit_failed() ? 1 : 0;
}

int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out) {
  const std::string quoted_folder = quoted(base_folder);
  boost::system::error_code status_error;
  boost::filesystem::status(base_folder / "vg.db", status_error);
  if (status_error) {
    out.out(messages::database_missing, quoted_folder);
    return 1;
  }

  database_manager db;
  try {
    db.open((base_folder / "vg.db").string());
  } catch (const database_manager_error&) {
    out.out(messages::database_unopenable, quoted_folder);
    return 1;
  }
  // A database that cannot be written would fail every line and record.
  try {
    db.ensure_writable();
  } catch (const database_manager_error& error) {
    out.error(messages::aborted_by_database, error.what());
    return 1;
  }

  const int status = run_import_steps(base_folder, db, appliance_ids, out);
  db.close();
  return status;
}

}  // namespace rovev
