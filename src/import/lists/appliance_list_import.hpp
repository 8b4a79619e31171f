#pragma once

#include <boost/filesystem/path.hpp>

#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {

// vellgard.list: name, address[:port], id, MAC, network address, "nat".
// One transaction over the file; fills appliance_ids. False when the file
// did not open.
bool import_appliance_list(database_manager& db, const boost::filesystem::path& file,
                           appliance_id_map& appliance_ids, report& out);

}  // namespace rovev
