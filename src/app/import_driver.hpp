#pragma once

#include <boost/filesystem/path.hpp>
#include <vector>

#include "base/report.hpp"
#include "import/appliance_id_map.hpp"
#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// Imports everything in the base folder into its vg.db, step after step.
// Returns 0 when every step ran and committed, 1 otherwise.
int run_import(const boost::filesystem::path& base_folder, appliance_id_map& appliance_ids,
               report& out);

// One import step and what it reads: a file or folder of the base folder, or
// the base folder itself (no name).
struct import_step {
  step_result (*run)(const import_context&, const boost::filesystem::path&);
  const char* input;
};

// The six steps, in the order they always run, whatever the steps before
// them reported.
const std::vector<import_step>& the_import_steps();

// The steps on the context's open connection, reading through its files. An
// error that escapes a step, or a transaction that SQLite ended in a step,
// stops the run with a line; the status is 1 then, or when a step's commit
// failed.
int run_import_steps(const import_context& context, const boost::filesystem::path& base_folder,
                     const std::vector<import_step>& steps = the_import_steps());

}  // namespace rovev
