#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_files.hpp"
#include "base/report.hpp"
#include "db/database_manager.hpp"
#include "import/step_result.hpp"

namespace rovev {

// manager.user: user id, login name, password hash, (unused), description.
// Users get the id plus 10; "admin" updates the manager's user 1. No
// transaction: every row stands alone.
step_result import_user_list(input_files& files, const boost::filesystem::path& file,
                             database_manager& db, report& out);

}  // namespace rovev
