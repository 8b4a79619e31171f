#include "import/records/history_import.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <boost/system/system_error.hpp>
#include <vector>

#include "base/quoted_path.hpp"
#include "db/transaction_lost.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/records/history_record.hpp"

namespace rovev {
namespace {

namespace fs = boost::filesystem;

// One walk of a history folder and what it has found so far.
class history_walk {
 public:
  history_walk(input_files& files, report& out, const history_kind& kind)
      : files_(files), out_(out), kind_(kind), record_(kind.record_size) {}

  void walk(const fs::path& folder);

  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;

 private:
  void visit(const fs::directory_entry& entry, std::vector<fs::directory_entry>& entries);
  void visit_file(const fs::path& file, const history_file& context);
  void import_record(const fs::path& file, const history_file& context);

  input_files& files_;
  report& out_;
  const history_kind& kind_;
  std::vector<char> record_;
};

// The entries of a folder, read whole so that the folder is closed again.
std::vector<fs::directory_entry> list_folder(const fs::path& folder) {
  return std::vector<fs::directory_entry>(fs::directory_iterator(folder), fs::directory_iterator());
}

void history_walk::walk(const fs::path& folder) {
  // The folders being walked, each with the entries still to visit.
  struct level {
    std::vector<fs::directory_entry> entries;
    std::size_t next = 0;
  };
  std::vector<level> levels;
  try {
    levels.push_back({list_folder(folder)});
  } catch (const fs::filesystem_error& error) {
    out_.out_error(messages::file_system_error, error.what());
  }
  while (!levels.empty()) {
    level& current = levels.back();
    if (current.next == current.entries.size()) {
      levels.pop_back();
      continue;
    }
    const fs::directory_entry entry = std::move(current.entries[current.next++]);
    std::vector<fs::directory_entry> below;
    visit(entry, below);
    if (!below.empty()) levels.push_back({std::move(below)});
  }
}

// Visits one entry; below gets the entries of a folder to walk next.
void history_walk::visit(const fs::directory_entry& entry,
                         std::vector<fs::directory_entry>& below) {
  const auto context = kind_.accepts(entry.path().filename());
  // The entry itself, links not followed: folders are entered, links to
  // folders are not. One whose own status cannot be had (a path longer than
  // PATH_MAX) may be a folder, so it is reported.
  boost::system::error_code error;
  const fs::file_status own = entry.symlink_status(error);
  if (error && !context) {
    out_.out_error(
        messages::file_system_error,
        fs::filesystem_error("boost::filesystem::symlink_status", entry.path(), error).what());
    return;
  }
  // The name decides first: nothing more is asked about other entries.
  if (context) visit_file(entry.path(), *context);
  if (error || !fs::is_directory(own)) return;
  try {
    below = list_folder(entry.path());
  } catch (const fs::filesystem_error& failure) {
    out_.out_error(messages::file_system_error, failure.what());
  }
}

// A file named like one of the history's: counted and read, unless it is a
// folder (or a link to one).
void history_walk::visit_file(const fs::path& file, const history_file& context) {
  const auto status = files_.stat(file);
  if (status && status->type == input_files::kind::folder) return;
  ++files_found;
  const std::unique_ptr<input_stream> bytes = open_input(files_, file, out_);
  if (!bytes) return;
  while (read_history_record(*bytes, record_.data(), kind_.record_size, out_)) {
    import_record(file, context);
  }
}

// The record in the buffer: its row written, or its failure reported.
void history_walk::import_record(const fs::path& file, const history_file& context) {
  try {
    kind_.import_record(record_.data(), context);
    ++records_imported;
  } catch (const transaction_lost&) {
    throw;  // the step stops; it is no bad record
  } catch (const database_manager_error& error) {
    out_.out_error(messages::store_failed, error.what());
  } catch (const boost::system::system_error& error) {
    out_.out_error(messages::bad_address, error.what());
  } catch (const boost::bad_lexical_cast& error) {
    if (kind_.bad_number_message) {
      out_.out_error(*kind_.bad_number_message, error.what());
    } else {
      out_.out_error(kind_.bad_record_message, file.string());
    }
  } catch (const std::exception&) {
    out_.out_error(kind_.bad_record_message, file.string());
  }
}

}  // namespace

step_result import_history(const fs::path& folder, database_manager& db, input_files& files,
                           report& out, const history_kind& kind) {
  transaction_scope scope(db);
  out.out_line(kind.start_message, quoted(folder));
  history_walk walk(files, out, kind);
  walk.walk(folder);
  out.out_line(kind.finish_message, walk.files_found, walk.records_imported);
  step_result result;
  result.committed = end_and_report(scope, out);
  return result;
}

}  // namespace rovev
