#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// manager.user: user id, login name, password hash, (unused), description.
// Users get the id plus 10; "admin" updates the manager's user 1. No
// transaction: every row stands alone.
step_result import_user_list(const import_context& context, const boost::filesystem::path& file);

}  // namespace rovev
