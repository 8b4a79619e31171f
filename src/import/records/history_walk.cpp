#include "import/records/history_walk.hpp"

#include <boost/filesystem/operations.hpp>

#include "app/console.hpp"

namespace rovev {

void walk_history_folder(const boost::filesystem::path& folder,
                         const std::function<void(const boost::filesystem::path&)>& visit_file) {
  namespace fs = boost::filesystem;
  try {
    for (fs::recursive_directory_iterator entries(folder), end; entries != end; ++entries) {
      const fs::path& path = entries->path();
      if (fs::is_directory(fs::status(path))) continue;
      visit_file(path);
    }
  } catch (const fs::filesystem_error& error) {
    console::out("    [Error]: ファイルシステムエラーです  (what: %s)", error.what());
  }
}

}  // namespace rovev
