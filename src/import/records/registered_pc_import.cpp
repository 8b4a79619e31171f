#include "import/records/registered_pc_import.hpp"

#include <boost/filesystem/operations.hpp>
#include <istream>
#include <optional>

#include "base/quoted_path.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"

namespace rovev {
namespace {

// The appliance whose PCs a file of the base folder holds, by its name: 0 for
// "host.db", N for "host_N.db"; nothing for any other name.
std::optional<std::int32_t> registered_pc_appliance(const boost::filesystem::path& name) {
  if (name.extension().string() != ".db") return std::nullopt;
  if (name == "host.db") return 0;
  const std::int32_t appliance_id = parse_host_file_name(name.string(), ".db");
  if (appliance_id == 0) return std::nullopt;
  return appliance_id;
}

std::uint32_t write_hosts(input_stream& bytes, std::uintmax_t size,
                          const appliance_id_map& appliance_ids, database_manager& db,
                          std::int32_t appliance_id, report& out) {
  std::istream stream(&bytes);
  std::uint32_t written = 0;
  unsigned char record[host_record_size];
  host_entry entry;
  // No more records than the size checked holds: a file that grows while it
  // is read, or one under /proc that never ends, stops there.
  for (std::uintmax_t left = size / host_record_size;
       left > 0 && stream.read(reinterpret_cast<char*>(record), sizeof record); --left) {
    decode_host_record(record, appliance_ids, entry);
    try {
      db.add_host(entry, appliance_id);
      ++written;
    } catch (const database_manager_error& error) {
      // A PC the schema refuses (already registered) is passed over quietly.
      if (error.code() != db_constraint) out.out_error(messages::store_failed, error.what());
    }
  }
  return written;
}

}  // namespace

host_file_import import_host_file(input_stream& bytes, std::uintmax_t size,
                                  const appliance_id_map& appliance_ids, database_manager& db,
                                  std::int32_t appliance_id, report& out) {
  transaction_scope scope(db);
  host_file_import result;
  result.written = write_hosts(bytes, size, appliance_ids, db, appliance_id, out);
  result.committed = end_and_report(scope, out);
  return result;
}

step_result import_registered_pcs(database_manager& db, input_files& files,
                                  const boost::filesystem::path& base_folder,
                                  const appliance_id_map& appliance_ids, report& out) {
  namespace fs = boost::filesystem;
  out.out_line(messages::pcs_start, quoted(base_folder));
  std::uint32_t files_imported = 0;
  std::uint32_t hosts_registered = 0;
  step_result result;
  try {
    // An empty base folder is the current one, as for every other step.
    const fs::path listed = base_folder.empty() ? fs::path(".") : base_folder;
    for (fs::directory_iterator entries(listed), end; entries != end; ++entries) {
      // The name decides first, so that nothing else in the folder is asked
      // about, and a stray entry there cannot end the listing.
      const fs::path name = entries->path().filename();
      const std::optional<std::int32_t> appliance_id = registered_pc_appliance(name);
      if (!appliance_id) continue;
      const fs::path file = base_folder / name;
      // Folders, and files of a size no run of records has, are passed over.
      const auto status = files.stat(file);
      const bool regular = status && status->type == input_files::kind::regular;
      if (status && status->type == input_files::kind::folder) continue;
      if (regular && status->size % host_record_size != 0) continue;
      const std::unique_ptr<input_stream> bytes = open_input(files, file, out);
      if (!bytes) {
        // A file that would not open counts as a file without PCs.
        if (regular) ++files_imported;
        continue;
      }
      // Opened, so regular now: a size is had only if it was so when asked.
      const std::uintmax_t size = regular ? status->size : 0;
      const host_file_import imported =
          import_host_file(*bytes, size, appliance_ids, db, *appliance_id, out);
      hosts_registered += imported.written;
      result.committed = result.committed && imported.committed;
      ++files_imported;
    }
  } catch (const fs::filesystem_error& error) {
    out.out_error(messages::file_system_error, error.what());
  }
  out.out_line(messages::pcs_finish, files_imported, hosts_registered);
  return result;
}

}  // namespace rovev
