#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// The registered PC files directly in the base folder: "host.db" (appliance
// 0) and "host_N.db" (appliance N), each its own transaction; each PC's
// appliance is looked up in the appliance map.
step_result import_registered_pcs(const import_context& context,
                                  const boost::filesystem::path& base_folder);

}  // namespace rovev
