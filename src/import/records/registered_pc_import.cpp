#include "import/records/registered_pc_import.hpp"

#include <boost/filesystem/operations.hpp>
#include <istream>
#include <optional>

#include "base/quoted_path.hpp"
#include "db/transaction_scope.hpp"
#include "import/commit_report.hpp"
#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"
#include "import/records/record_file.hpp"

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

std::uint32_t write_hosts(const boost::filesystem::path& file, std::uintmax_t size,
                          const appliance_id_map& appliance_ids, database_manager& db,
                          std::int32_t appliance_id, report& out) {
  input_file bytes;
  if (!open_record_file(file, bytes, out)) return 0;
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
      if (error.code() != db_constraint) out.error(messages::store_failed, error.what());
    }
  }
  return written;
}

}  // namespace

std::uint32_t import_host_file(const boost::filesystem::path& file, std::uintmax_t size,
                               const appliance_id_map& appliance_ids, database_manager& db,
                               std::int32_t appliance_id, report& out) {
  transaction_scope scope(db);
  const std::uint32_t written = write_hosts(file, size, appliance_ids, db, appliance_id, out);
  end_and_report(scope, out);
  return written;
}

bool import_registered_pcs(database_manager& db, const boost::filesystem::path& base_folder,
                           const appliance_id_map& appliance_ids, report& out) {
  namespace fs = boost::filesystem;
  out.out(messages::pcs_start, quoted(base_folder));
  std::uint32_t files_imported = 0;
  std::uint32_t hosts_registered = 0;
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
      boost::system::error_code error;
      const fs::file_status status = fs::status(file, error);
      if (!error && fs::is_directory(status)) continue;
      std::uintmax_t size = 0;
      if (!error && fs::is_regular_file(status)) size = fs::file_size(file, error);
      if (error || !fs::is_regular_file(status)) {
        out.error(messages::cannot_read_file, quoted(file));
        continue;
      }
      if (size % host_record_size != 0) continue;
      hosts_registered += import_host_file(file, size, appliance_ids, db, *appliance_id, out);
      ++files_imported;
    }
  } catch (const fs::filesystem_error& error) {
    out.error(messages::file_system_error, error.what());
  }
  out.out(messages::pcs_finish, files_imported, hosts_registered);
  return true;
}

}  // namespace rovev
