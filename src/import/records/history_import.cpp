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

void import_file(const boost::filesystem::path& file, report& out, const history_kind& kind,
                 std::vector<char>& record, counts& counted) {
  input_file bytes;
  if (!open_record_file(file, bytes, out)) return;
  std::istream stream(&bytes);
  while (read_history_record(stream, record.data(), kind.record_size, out)) {
    try {
      kind.import_record(record.data());
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

}  // namespace

bool import_history(const boost::filesystem::path& folder, database_manager& db, report& out,
                    const history_kind& kind) {
  namespace fs = boost::filesystem;
  transaction_scope scope(db);
  out.out(kind.start_message, quoted(folder));
  counts counted;
  std::vector<char> record(kind.record_size);
  try {
    for (fs::recursive_directory_iterator entries(folder), end; entries != end; ++entries) {
      const fs::path& file = entries->path();
      if (fs::is_directory(fs::status(file)) || !kind.accepts(file)) continue;
      ++counted.files_found;
      import_file(file, out, kind, record, counted);
    }
  } catch (const fs::filesystem_error& error) {
    out.error(messages::file_system_error, error.what());
  }
  out.out(kind.finish_message, counted.files_found, counted.records_imported);
  end_and_report(scope, out);
  return true;
}

}  // namespace rovev
