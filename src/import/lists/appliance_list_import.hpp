#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/appliance_id_map.hpp"
#include "import/step_result.hpp"

namespace rovev {

// vellgard.list: name, address[:port], id, MAC, network address, "nat".
// One transaction over the file; fills appliance_ids.
step_result import_appliance_list(database_manager& db, input_files& files,
                                  const boost::filesystem::path& file,
                                  appliance_id_map& appliance_ids, report& out);

}  // namespace rovev
