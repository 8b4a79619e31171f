#pragma once

#include <boost/filesystem/path.hpp>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>

#include "base/report.hpp"
#include "db/database_manager.hpp"

namespace rovev {

// What the name of a history file tells its records: the appliance of a
// detection history file; nothing for a movement history file.
struct history_file {
  std::int32_t appliance = 0;
};

// What sets one history apart from the other.
struct history_kind {
  std::string_view start_message;   // %s: the folder, quoted
  std::string_view finish_message;  // %u: files found, records imported
  std::size_t record_size;
  // Whether an entry below the folder is one of this history's files, by its
  // name alone, and what that name tells; nothing for any other name.
  std::function<std::optional<history_file>(const boost::filesystem::path& name)> accepts;
  // Converts one record of the file and writes its row; the first failure
  // ends it.
  std::function<void(const char* record, const history_file& file)> import_record;
  // The line of a number that is no number (%s: the failure's text); empty
  // when such a record is reported like any other bad one.
  std::string_view bad_number_message;
  // The line of any other bad record (%s: the file's plain path).
  std::string_view bad_record_message;
};

// Walks the folder depth first, in the order the file system lists it,
// without entering links to folders, and imports every record of every
// accepted file; one transaction over the step. Each folder is listed whole
// and closed before the walk goes deeper, so depth costs no descriptors. A
// folder that cannot be listed is reported and left; the walk goes on.
bool import_history(const boost::filesystem::path& folder, database_manager& db, report& out,
                    const history_kind& kind);

}  // namespace rovev
