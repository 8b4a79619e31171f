#pragma once

#include <boost/filesystem/path.hpp>
#include <fstream>

#include "base/report.hpp"

namespace rovev {

// Opens a record file for raw reading. A file that will not open is reported,
// so that its records are not lost in silence.
bool open_record_file(const boost::filesystem::path& file, std::ifstream& stream, report& out);

}  // namespace rovev
