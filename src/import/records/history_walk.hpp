#pragma once

#include <boost/filesystem/path.hpp>
#include <functional>

namespace rovev {

// Visits every entry below folder that is not a folder, depth first in the
// order the file system lists them; links to folders are not entered. A file
// system error is reported and ends the walk.
void walk_history_folder(const boost::filesystem::path& folder,
                         const std::function<void(const boost::filesystem::path&)>& visit_file);

}  // namespace rovev
