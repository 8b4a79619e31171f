#pragma once

#include <boost/filesystem/path.hpp>

#include "app/appliance_id_map.hpp"

namespace rovev {

// Imports everything in the base folder into its vg.db, step after step.
// Returns 0 when every step ran and committed, 1 otherwise.
int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids);

}  // namespace rovev
