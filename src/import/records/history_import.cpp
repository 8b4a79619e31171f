#include "import/records/history_import.hpp"

#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <stdexcept>
#include <vector>

#include "base/progress_meter.hpp"
#include "base/quoted_path.hpp"
#include "db/transaction_lost.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/open_input.hpp"
#include "import/records/history_record.hpp"
#include "os/file_system_failure.hpp"

namespace rovev {
namespace {

namespace fs = boost::filesystem;

// One walk of a history folder and what it has found so far.
class history_walk {
 public:
  history_walk(input_files& files, report& out, const history_kind& kind)
      : files_(files), out_(out), kind_(kind), meter_(out), record_(kind.record_size) {}

  void walk(const fs::path& top);

  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;

 private:
  // A folder being walked, with the entries still to visit.
  struct level {
    fs::path folder;
    std::vector<input_files::entry> entries;
    std::size_t next = 0;
  };

  void enter(const fs::path& folder, std::vector<level>& levels);
  bool visit(const fs::path& path, const input_files::entry& entry);
  void visit_file(const fs::path& file, const history_file_appliance& appliance);
  void import_record_in_buffer(const fs::path& file, const history_file_appliance& appliance);
  void report_bad_number(const fs::path& file);

  input_files& files_;
  report& out_;
  const history_kind& kind_;
  progress_meter meter_;
  std::vector<char> record_;
};

void history_walk::walk(const fs::path& top) {
  std::vector<level> levels;
  enter(top, levels);
  while (!levels.empty()) {
    level& current = levels.back();
    if (current.next == current.entries.size()) {
      levels.pop_back();
      continue;
    }
    const input_files::entry entry = std::move(current.entries[current.next++]);
    const fs::path path = current.folder / entry.name;
    if (visit(path, entry)) enter(path, levels);
  }
}

// Each folder is listed whole, and only then walked into: depth costs no
// open folder. One that cannot be listed is reported and left.
void history_walk::enter(const fs::path& folder, std::vector<level>& levels) {
  input_files::listing listed = files_.list(folder);
  if (listed.failure) {
    out_.out_error(messages::file_system_error, listed.failure->text());
  } else if (!listed.entries.empty()) {
    levels.push_back({folder, std::move(listed.entries)});
  }
}

// Visits one entry; true when it is a folder to walk into. Folders are
// entered, links to folders are not.
bool history_walk::visit(const fs::path& path, const input_files::entry& entry) {
  // The name decides first: nothing more is asked about other entries.
  const auto appliance = kind_.accepts(entry.name);
  // One that may be a folder but whose own status cannot be had (a path
  // longer than PATH_MAX) is reported.
  if (entry.status_error && !appliance) {
    out_.out_error(
        messages::file_system_error,
        file_system_failure{file_system_failure::operation::entry_status, entry.status_error, path}
            .text());
    return false;
  }
  if (appliance) visit_file(path, *appliance);
  return !entry.status_error && entry.is_folder;
}

// A file named like one of the history's: counted and read, unless it is a
// folder (or a link to one).
void history_walk::visit_file(const fs::path& file, const history_file_appliance& appliance) {
  const auto status = files_.stat(file);
  if (status && status->type == input_files::kind::folder) return;
  ++files_found;
  const std::unique_ptr<input_stream> bytes = open_input(files_, file, out_);
  if (!bytes) return;
  const std::uintmax_t size = status ? status->size : 0;
  while (read_history_record(*bytes, record_.data(), kind_.record_size, out_)) {
    import_record_in_buffer(file, appliance);
    if (meter_.due()) {
      meter_.show(kind_.progress.text, files_found, records_imported,
                  percent_of(bytes->position(), size));
    }
  }
  // The records before a read that failed stay; the step goes on.
  if (bytes->read_failed()) out_.out_error(messages::cannot_read_file, quoted(file));
}

// The record in the buffer: its row written, or its failure reported.
void history_walk::import_record_in_buffer(const fs::path& file,
                                           const history_file_appliance& appliance) {
  try {
    switch (kind_.write_row(record_.data(), appliance)) {
      case row_outcome::written:
        ++records_imported;
        break;
      case row_outcome::bad_address:
        out_.out_error(messages::bad_address, invalid_address_text());
        break;
      case row_outcome::bad_number:
        report_bad_number(file);
        break;
    }
  } catch (const transaction_lost&) {
    throw;  // no bad record: every record after it would fail the same way
  } catch (const database_manager_error& error) {
    out_.out_error(messages::store_failed, error.what());
  } catch (const boost::bad_lexical_cast&) {
    report_bad_number(file);
  } catch (const std::out_of_range&) {
    // Any other date that cannot be read. A lack of memory is no bad record:
    // it passes, and stops the run.
    out_.out_error(kind_.bad_record.text, file.string());
  }
}

// A history that tells no number from any other bad record reports it as one.
void history_walk::report_bad_number(const fs::path& file) {
  if (kind_.bad_number) {
    out_.out_error(kind_.bad_number->text, messages::not_a_number);
  } else {
    out_.out_error(kind_.bad_record.text, file.string());
  }
}

}  // namespace

step_result import_history(const import_context& context, const fs::path& folder,
                           const history_kind& kind) {
  report& out = context.out;
  transaction_scope scope(context.db);
  out.out_line(kind.start.text, quoted(folder));
  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;
  {
    history_walk walk(context.files, out, kind);
    walk.walk(folder);
    files_found = walk.files_found;
    records_imported = walk.records_imported;
  }
  out.out_line(kind.finish.text, files_found, records_imported);
  return {end_and_report(scope, out)};
}

}  // namespace rovev
