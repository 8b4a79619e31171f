#pragma once

#include <boost/filesystem/path.hpp>

#include "base/input_file.hpp"
#include "base/report.hpp"

namespace rovev {

// Opens a record file for raw reading. A file that will not open, or that is
// no regular file, is reported, so that its records are not lost in silence.
bool open_record_file(const boost::filesystem::path& file, input_file& bytes, report& out);

}  // namespace rovev
