#pragma once

#include <boost/filesystem/path.hpp>

#include "base/report.hpp"
#include "db/database_manager.hpp"

namespace rovev {

// vellgard.group: (unused), group name, appliance ids or "ALL", users with
// permission 1, users with permission 2; members separated by "/". Each
// group is its own transaction. False when the file did not open.
bool import_group_list(const boost::filesystem::path& file, database_manager& db, report& out);

}  // namespace rovev
