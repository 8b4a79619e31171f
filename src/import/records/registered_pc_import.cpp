#include "import/records/registered_pc_import.hpp"

#include <boost/filesystem/operations.hpp>
#include <fstream>

#include "base/quoted_path.hpp"
#include "db/transaction_scope.hpp"
#include "import/commit_report.hpp"
#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"
#include "import/records/record_file.hpp"

namespace rovev {
namespace {

std::uint32_t write_hosts(const boost::filesystem::path& file,
                          const appliance_id_map& appliance_ids, database_manager& db,
                          std::int32_t appliance_id, report& out) {
  std::ifstream stream;
  if (!open_record_file(file, stream, out)) return 0;
  std::uint32_t written = 0;
  unsigned char record[host_record_size];
  host_entry entry;
  while (stream.read(reinterpret_cast<char*>(record), sizeof record)) {
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

std::uint32_t import_host_file(const boost::filesystem::path& file,
                               const appliance_id_map& appliance_ids, database_manager& db,
                               std::int32_t appliance_id, report& out) {
  transaction_scope scope(db);
  const std::uint32_t written = write_hosts(file, appliance_ids, db, appliance_id, out);
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
    for (fs::directory_iterator entries(base_folder), end; entries != end; ++entries) {
      const fs::path& path = entries->path();
      if (fs::is_directory(fs::status(path))) continue;
      if (path.extension().string() != ".db") continue;
      if (fs::file_size(path) % host_record_size != 0) continue;
      const std::string name = path.filename().string();
      const std::int32_t appliance_id = name == "host.db" ? 0 : parse_host_file_name(name, ".db");
      if (name != "host.db" && appliance_id == 0) continue;
      hosts_registered += import_host_file(path, appliance_ids, db, appliance_id, out);
      ++files_imported;
    }
  } catch (const fs::filesystem_error& error) {
    out.error(messages::file_system_error, error.what());
  }
  out.out(messages::pcs_finish, files_imported, hosts_registered);
  return true;
}

}  // namespace rovev
