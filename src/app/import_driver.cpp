#include "app/import_driver.hpp"

#include <algorithm>
#include <boost/filesystem/operations.hpp>
#include <exception>
#include <iterator>
#include <optional>

#include "base/quoted_path.hpp"
#include "db/database_manager.hpp"
#include "db/run_lock.hpp"
#include "import/lists/appliance_list_import.hpp"
#include "import/lists/group_list_import.hpp"
#include "import/lists/user_list_import.hpp"
#include "import/records/detection_history_import.hpp"
#include "import/records/movement_history_import.hpp"
#include "import/records/registered_pc_import.hpp"

namespace rovev {

int run_import_steps(const boost::filesystem::path& base_folder, database_manager& db,
                     input_files& files, appliance_id_map& appliance_ids, report& out) {
  try {
    // Every step runs, in this order, whatever the steps before it reported.
    const step_result results[] = {
        import_appliance_list(db, files, base_folder / "vellgard.list", appliance_ids, out),
        import_user_list(files, base_folder / "manager.user", db, out),
        import_group_list(files, base_folder / "vellgard.group", db, out),
        import_registered_pcs(db, files, base_folder, appliance_ids, out),
        import_detection_history(files, base_folder / "hist", db, out),
        import_movement_history(files, base_folder / "hostmove", db, out),
    };
    const bool committed = std::all_of(std::begin(results), std::end(results),
                                       [](const step_result& result) { return result.committed; });
    return committed ? 0 : 1;
  } catch (const database_failure& error) {
    out.out_error(messages::aborted_by_database, error.what());
  } catch (const std::exception& error) {
    out.out_error(messages::aborted_unexpectedly, error.what());
  }
  return 1;
}

int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out) {
  const std::string quoted_folder = quoted(base_folder);
  boost::system::error_code status_error;
  boost::filesystem::status(base_folder / "vg.db", status_error);
  if (status_error) {
    out.out_line(messages::database_missing, quoted_folder);
    return 1;
  }

  // One run at a time on one vg.db, held from before SQLite first looks at
  // the file until after the connection is closed: so declared first.
  std::optional<run_lock> held;
  try {
    held.emplace((base_folder / "vg.db").string());
  } catch (const database_failure& error) {
    out.out_error(messages::aborted_by_database, error.what());
    return 1;
  }
  database_manager db;
  try {
    db.open((base_folder / "vg.db").string());
  } catch (const database_failure& error) {
    // A lack of memory is no fault of vg.db: it is told as what it is.
    if (error.out_of_memory()) {
      out.out_error(messages::aborted_by_database, error.what());
    } else {
      out.out_line(messages::database_unopenable, quoted_folder);
    }
    return 1;
  }
  // A database that cannot be written would fail every line and record.
  try {
    db.ensure_writable();
  } catch (const database_failure& error) {
    out.out_error(messages::aborted_by_database, error.what());
    return 1;
  }

  disk_files files;
  const int status = run_import_steps(base_folder, db, files, appliance_ids, out);
  db.close();
  return status;
}

}  // namespace rovev
