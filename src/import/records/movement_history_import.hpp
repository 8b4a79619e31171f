#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/step_result.hpp"

namespace rovev {

// Every "hostmove.hist" below the folder into hostmove; one transaction over
// the step.
step_result import_movement_history(input_files& files, const boost::filesystem::path& folder,
                                    database_manager& db, report& out);

}  // namespace rovev
