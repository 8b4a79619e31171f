#pragma once

#include <boost/filesystem/path.hpp>

#include "import/import_context.hpp"
#include "import/step_result.hpp"

namespace rovev {

// vellgard.group: (unused), group name, appliance ids or "ALL", users with
// permission 1, users with permission 2; members separated by "/". Each
// group is its own transaction: one that cannot commit is that line's failure.
step_result import_group_list(const import_context& context, const boost::filesystem::path& file);

}  // namespace rovev
