#pragma once

#include <boost/filesystem/path.hpp>

#include "base/report.hpp"
#include "db/database_manager.hpp"

namespace rovev {

// Every "hostmove.hist" below the folder into hostmove; one transaction over
// the step.
bool import_movement_history(const boost::filesystem::path& folder, database_manager& db,
                             report& out);

}  // namespace rovev
