#include "app/import_driver.hpp"

#include <exception>
#include <new>
#include <optional>

#include "base/quoted_path.hpp"
#include "db/database_manager.hpp"
#include "db/database_replaced.hpp"
#include "db/run_lock.hpp"
#include "import/lists/appliance_list_import.hpp"
#include "import/lists/group_list_import.hpp"
#include "import/lists/user_list_import.hpp"
#include "import/records/detection_history_import.hpp"
#include "import/records/movement_history_import.hpp"
#include "import/records/registered_pc_import.hpp"
#include "os/database_file.hpp"
#include "os/disk_files.hpp"

namespace rovev {

const std::vector<import_step>& the_import_steps() {
  static const std::vector<import_step> steps{
      {import_appliance_list, "vellgard.list"}, {import_user_list, "manager.user"},
      {import_group_list, "vellgard.group"},    {import_registered_pcs, nullptr},
      {import_detection_history, "hist"},       {import_movement_history, "hostmove"},
  };
  return steps;
}

int run_import_steps(const import_context& context, const boost::filesystem::path& base_folder,
                     const std::vector<import_step>& steps) {
  report& out = context.out;
  try {
    bool committed = true;
    for (const import_step& step : steps) {
      const auto input = step.input != nullptr ? base_folder / step.input : base_folder;
      committed = step.run(context, input).committed && committed;
      // A step that caught the loss of its transaction, or never ended it,
      // cannot hide it: none of its rows is left.
      if (const auto& lost = context.db.lost_transaction()) {
        out.out_error(messages::aborted_by_database, lost->what());
        return 1;
      }
    }
    return committed ? 0 : 1;
  } catch (const database_failure& error) {
    out.out_error(messages::aborted_by_database, error.what());
  } catch (const std::bad_alloc&) {
    out.out_error(messages::aborted_unexpectedly, messages::out_of_memory);
  } catch (const std::exception& error) {
    out.out_error(messages::aborted_unexpectedly, error.what());
  }
  return 1;
}

int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out) {
  const std::string quoted_folder = quoted(base_folder);
  const boost::filesystem::path database = base_folder / "vg.db";
  const file_kind kind = kind_of(database);
  if (kind == file_kind::unknown) {
    out.out_line(messages::database_missing, quoted_folder);
    return 1;
  }

  // One run at a time on one vg.db, held from before SQLite first looks at
  // the file until after the connection is closed: so declared first.
  std::optional<run_lock> held;
  try {
    held.emplace(database);
  } catch (const database_failure& error) {
    out.out_error(messages::aborted_by_database, error.what());
    return 1;
  }
  // A folder, a FIFO or a device (links followed) holds no database, also
  // one put in vg.db's place since it was looked at.
  if (kind != file_kind::regular || held->names_no_regular_file()) {
    out.out_line(messages::database_unopenable, quoted_folder);
    return 1;
  }
  if (!held->guarded()) out.err_line(messages::run_unguarded);
  database_manager db;
  try {
    db.open(database.string(), &*held);
  } catch (const database_replaced& error) {
    out.out_error(messages::aborted_by_database, error.what());
    return 1;
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
  const int status = run_import_steps({db, files, out, appliance_ids}, base_folder);
  db.close();
  return status;
}

}  // namespace rovev
