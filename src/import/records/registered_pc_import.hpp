#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/appliance_id_map.hpp"
#include "import/step_result.hpp"

namespace rovev {

// The registered PC files directly in the base folder: "host.db" (appliance
// 0) and "host_N.db" (appliance N), each its own transaction.
step_result import_registered_pcs(database_manager& db, input_files& files,
                                  const boost::filesystem::path& base_folder,
                                  const appliance_id_map& appliance_ids, report& out);

}  // namespace rovev
