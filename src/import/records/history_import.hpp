#pragma once

#include <boost/filesystem/path.hpp>
#include <cstddef>
#include <functional>
#include <string_view>

#include "base/report.hpp"
#include "db/database_manager.hpp"

namespace rovev {

// What sets one history apart from the other.
struct history_kind {
  std::string_view start_message;   // %s: the folder, quoted
  std::string_view finish_message;  // %u: files found, records imported
  std::size_t record_size;
  // Whether a file (anything but a folder) below the folder is one of this
  // history's.
  std::function<bool(const boost::filesystem::path& file)> accepts;
  // Converts one record and writes its row; the first failure ends it.
  std::function<void(const char* record)> import_record;
  // The line of a number that is no number (%s: the failure's text); empty
  // when such a record is reported like any other bad one.
  std::string_view bad_number_message;
  // The line of any other bad record (%s: the file's plain path).
  std::string_view bad_record_message;
};

// Walks the folder depth first, in the order the file system lists it,
// without entering links to folders, and imports every record of every
// accepted file; one transaction over the step. A file system error is
// reported and ends the walk.
bool import_history(const boost::filesystem::path& folder, database_manager& db, report& out,
                    const history_kind& kind);

}  // namespace rovev
