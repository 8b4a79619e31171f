#pragma once

#include <boost/filesystem/path.hpp>

#include "base/report.hpp"
#include "db/database_manager.hpp"

namespace rovev {

// Every "host_N.hist" below the folder into detection_log, N being the
// appliance; one transaction over the step.
bool import_detection_history(const boost::filesystem::path& folder, database_manager& db,
                              report& out);

}  // namespace rovev
