#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {

class database_manager;

// Imports everything in the base folder into its vg.db, step after step.
// Returns 0 when every step ran and committed, 1 otherwise.
int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out);

// The six steps on an open connection, reading through files. An error that
// escapes a step stops the run with a line; the status is 1 then, or when a
// step's commit failed.
int run_import_steps(const boost::filesystem::path& base_folder, database_manager& db,
                     input_files& files, appliance_id_map& appliance_ids, report& out);

}  // namespace rovev
