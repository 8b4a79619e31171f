#include "import/records/registered_pc_import.hpp"

#include <istream>
#include <optional>

#include "base/progress_meter.hpp"
#include "base/quoted_path.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/open_input.hpp"
#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"

namespace rovev {
namespace {

namespace fs = boost::filesystem;

// The appliance whose PCs a file of the base folder holds, by its name: 0 for
// "host.db", N for "host_N.db"; nothing for any other name.
std::optional<std::int32_t> registered_pc_appliance(const fs::path& name) {
  if (name.extension().string() != ".db") return std::nullopt;
  if (name == "host.db") return 0;
  const std::int32_t appliance_id = parse_host_file_name(name.string(), ".db");
  if (appliance_id == 0) return std::nullopt;
  return appliance_id;
}

// What becomes of an entry named like a registered PC file, by what it is
// (links followed).
struct pc_file_plan {
  enum { pass_over, report_unreadable, import } action;
  std::uintmax_t size = 0;  // of a file to import
};

pc_file_plan plan_for(const std::optional<input_files::status>& status) {
  // Missing (a dangling link), a link loop, a FIFO, a socket or a device.
  if (!status || status->type == input_files::kind::other) return {pc_file_plan::report_unreadable};
  // Folders, and files of a size no run of records has.
  if (status->type == input_files::kind::folder || status->size % host_record_size != 0) {
    return {pc_file_plan::pass_over};
  }
  return {pc_file_plan::import, status->size};
}

// The step over the base folder and what it has imported so far.
class registered_pc_step {
 public:
  registered_pc_step(database_manager& db, input_files& files,
                     const appliance_id_map& appliance_ids, report& out)
      : db_(db), files_(files), appliance_ids_(appliance_ids), out_(out), meter_(out) {}

  step_result run(const fs::path& base_folder);

  std::uint32_t files_imported = 0;
  std::uint32_t hosts_registered = 0;

 private:
  bool import_file(const fs::path& file, input_stream& bytes, std::uintmax_t size,
                   std::int32_t appliance_id);

  database_manager& db_;
  input_files& files_;
  const appliance_id_map& appliance_ids_;
  report& out_;
  progress_meter meter_;
};

step_result registered_pc_step::run(const fs::path& base_folder) {
  step_result result;
  // An empty base folder is the current one, as for every other step.
  const input_files::listing listed = files_.list(base_folder.empty() ? "." : base_folder);
  for (const input_files::entry& entry : listed.entries) {
    // The name decides first, so that nothing else in the folder is asked
    // about, and a stray entry there cannot end the listing.
    const std::optional<std::int32_t> appliance_id = registered_pc_appliance(entry.name);
    if (!appliance_id) continue;
    const fs::path file = base_folder / entry.name;
    const pc_file_plan plan = plan_for(files_.stat(file));
    if (plan.action == pc_file_plan::pass_over) continue;
    if (plan.action == pc_file_plan::report_unreadable) {
      out_.out_error(messages::cannot_read_file, quoted(file));
      continue;
    }
    // A file that would not open counts as a file without PCs.
    ++files_imported;
    if (const std::unique_ptr<input_stream> bytes = open_input(files_, file, out_)) {
      result.committed = import_file(file, *bytes, plan.size, *appliance_id) && result.committed;
    }
  }
  if (listed.failure) out_.out_error(messages::file_system_error, listed.failure->text());
  return result;
}

// The records of one opened file, in a transaction of their own; false when
// it could not commit. A read that fails keeps the records before it.
bool registered_pc_step::import_file(const fs::path& file, input_stream& bytes, std::uintmax_t size,
                                     std::int32_t appliance_id) {
  transaction_scope scope(db_);
  std::istream stream(&bytes);
  unsigned char record[host_record_size];
  host_entry entry;
  entry.vg_list_id = static_cast<std::uint32_t>(appliance_id);
  // No more records than the size checked holds: a file that grows while it
  // is read, or one under /proc that never ends, stops there.
  for (std::uintmax_t left = size / host_record_size;
       left > 0 && stream.read(reinterpret_cast<char*>(record), sizeof record); --left) {
    decode_host_record(record, appliance_ids_, entry);
    try {
      db_.add_host(entry);
      ++hosts_registered;
    } catch (const database_manager_error& error) {
      // A PC the schema refuses (already registered) is passed over quietly.
      if (error.code() != db_constraint) out_.out_error(messages::store_failed, error.what());
    }
    if (meter_.due()) {
      meter_.show(messages::pcs_progress, files_imported, hosts_registered,
                  percent_of(bytes.position(), size));
    }
  }
  const bool committed = end_and_report(scope, out_);
  if (bytes.read_failed()) out_.out_error(messages::cannot_read_file, quoted(file));
  return committed;
}

}  // namespace

step_result import_registered_pcs(const import_context& context, const fs::path& base_folder) {
  report& out = context.out;
  out.out_line(messages::pcs_start, quoted(base_folder));
  std::uint32_t files_imported = 0;
  std::uint32_t hosts_registered = 0;
  step_result result;
  {
    registered_pc_step step(context.db, context.files, context.appliance_ids, out);
    result = step.run(base_folder);
    files_imported = step.files_imported;
    hosts_registered = step.hosts_registered;
  }
  out.out_line(messages::pcs_finish, files_imported, hosts_registered);
  return result;
}

}  // namespace rovev
