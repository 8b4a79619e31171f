#pragma once

#include <boost/filesystem/path.hpp>

#include "base/report.hpp"
#include "import/appliance_id_map.hpp"
#include "import/import_context.hpp"

namespace rovev {

// Imports everything in the base folder into its vg.db, step after step.
// Returns 0 when every step ran and committed, 1 otherwise.
int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out);

// The six steps on the context's open connection, reading through its files.
// An error that escapes a step stops the run with a line; the status is 1
// then, or when a step's commit failed.
int run_import_steps(const import_context& context, const boost::filesystem::path& base_folder);

}  // namespace rovev
