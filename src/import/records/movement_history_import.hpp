#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// Every "hostmove.hist" below the folder into hostmove; one transaction over
// the step.
step_result import_movement_history(const import_context& context,
                                    const boost::filesystem::path& folder);

}  // namespace rovev
