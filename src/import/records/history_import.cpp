#include "import/records/history_import.hpp"

#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <boost/system/system_error.hpp>
#include <istream>
#include <vector>

#include "base/quoted_path.hpp"
#include "db/transaction_lost.hpp"
#include "db/transaction_scope.hpp"
#include "import/commit_report.hpp"
#include "import/records/history_record.hpp"
#include "import/records/record_file.hpp"

namespace rovev {
namespace {

struct counts {
  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;
};

void import_file(const boost::filesystem::path& file, const history_file& context, report& out,
                 const history_kind& kind, std::vector<char>& record, counts& counted) {
  input_file bytes;
  if (!open_record_file(file, bytes, out)) return;
  std::istream stream(&bytes);
  while (read_history_record(stream, record.data(), kind.record_size, out)) {
    try {
      kind.import_record(record.data(), context);
      ++counted.records_imported;
    } catch (const transaction_lost&) {
      throw;  // the step stops; it is no bad record
    } catch (const database_manager_error& error) {
      out.error(messages::store_failed, error.what());
    } catch (const boost::system::system_error& error) {
      out.error(messages::bad_address, error.what());
    } catch (const boost::bad_lexical_cast& error) {
      if (kind.bad_number_message.empty()) {
        out.error(kind.bad_record_message, file.string());
      } else {
        out.error(kind.bad_number_message, error.what());
      }
    } catch (const std::exception&) {
      out.error(kind.bad_record_message, file.string());
    }
  }
}

// A file named like one of the history's: counted, reported when its status
// cannot be had, read unless it is a folder (or a link to one).
void visit_file(const boost::filesystem::path& file, const history_file& context, report& out,
                const history_kind& kind, std::vector<char>& record, counts& counted) {
  namespace fs = boost::filesystem;
  boost::system::error_code error;
  const fs::file_status status = fs::status(file, error);
  if (!error && fs::is_directory(status)) return;
  ++counted.files_found;
  if (error) {
    out.error(messages::cannot_read_file, quoted(file));
    return;
  }
  import_file(file, context, out, kind, record, counted);
}

// The entries of a folder, read whole so that the folder is closed again.
std::vector<boost::filesystem::directory_entry> list_folder(const boost::filesystem::path& folder) {
  namespace fs = boost::filesystem;
  return std::vector<fs::directory_entry>(fs::directory_iterator(folder), fs::directory_iterator());
}

}  // namespace

bool import_history(const boost::filesystem::path& folder, database_manager& db, report& out,
                    const history_kind& kind) {
  namespace fs = boost::filesystem;
  transaction_scope scope(db);
  out.out(kind.start_message, quoted(folder));
  counts counted;
  std::vector<char> record(kind.record_size);
  // The folders being walked, each with the entries still to visit.
  struct level {
    std::vector<fs::directory_entry> entries;
    std::size_t next = 0;
  };
  std::vector<level> levels;
  try {
    levels.push_back({list_folder(folder)});
  } catch (const fs::filesystem_error& error) {
    out.error(messages::file_system_error, error.what());
  }
  while (!levels.empty()) {
    level& current = levels.back();
    if (current.next == current.entries.size()) {
      levels.pop_back();
      continue;
    }
    const fs::directory_entry entry = std::move(current.entries[current.next++]);
    const auto context = kind.accepts(entry.path().filename());
    // The entry itself, links not followed: folders are entered, links to
    // folders are not. One whose own status cannot be had (a path longer
    // than PATH_MAX) may be a folder, so it is reported.
    boost::system::error_code error;
    const fs::file_status own = entry.symlink_status(error);
    if (error && !context) {
      out.error(
          messages::file_system_error,
          fs::filesystem_error("boost::filesystem::symlink_status", entry.path(), error).what());
      continue;
    }
    // The name decides first: nothing more is asked about other entries.
    if (context) visit_file(entry.path(), *context, out, kind, record, counted);
    if (error || !fs::is_directory(own)) continue;
    try {
      levels.push_back({list_folder(entry.path())});
    } catch (const fs::filesystem_error& failure) {
      out.error(messages::file_system_error, failure.what());
    }
  }
  out.out(kind.finish_message, counted.files_found, counted.records_imported);
  end_and_report(scope, out);
  return true;
}

}  // namespace rovev
