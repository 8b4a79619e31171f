#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// Every "host_N.hist" below the folder into detection_log, N being the
// appliance; one transaction over the step.
step_result import_detection_history(const import_context& context,
                                     const boost::filesystem::path& folder);

}  // namespace rovev
