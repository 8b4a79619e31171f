#pragma once

#include <boost/filesystem/path.hpp>
#include <cstdint>

#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {

// The registered PC files directly in the base folder: "host.db" (appliance
// 0) and "host_N.db" (appliance N), each its own transaction.
bool import_registered_pcs(database_manager& db, const boost::filesystem::path& base_folder,
                           const appliance_id_map& appliance_ids, report& out);

// One registered PC file of the size given (records beyond it are not
// read); returns the number of PCs written.
std::uint32_t import_host_file(const boost::filesystem::path& file, std::uintmax_t size,
                               const appliance_id_map& appliance_ids, database_manager& db,
                               std::int32_t appliance_id, report& out);

}  // namespace rovev
