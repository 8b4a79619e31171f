#pragma once

#include "os/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {

// What every import step works with, handed to each in one piece: the one
// connection, the files it reads, the report its lines go to, and the map
// from the appliances' network addresses to their ids (filled by the
// appliance list, read by the registered PCs, left alone by the others).
struct import_context {
  database_manager& db;
  input_files& files;
  report& out;
  appliance_id_map& appliance_ids;
};

}  // namespace rovev
