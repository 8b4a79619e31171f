#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/step_result.hpp"

namespace rovev {

// Every "host_N.hist" below the folder into detection_log, N being the
// appliance; one transaction over the step.
step_result import_detection_history(input_files& files, const boost::filesystem::path& folder,
                                     database_manager& db, report& out);

}  // namespace rovev
