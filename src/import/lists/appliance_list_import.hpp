#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// vellgard.list: name, address[:port], id, MAC, network address, "nat".
// One transaction over the file; fills the appliance map.
step_result import_appliance_list(const import_context& context,
                                  const boost::filesystem::path& file);

}  // namespace rovev
