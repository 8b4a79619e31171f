#pragma once

#include <boost/filesystem/path.hpp>
#include <memory>

#include "os/input_files.hpp"
#include "base/report.hpp"

namespace rovev {

// The one rule for every input of a step: a regular file (after following
// links) that opens. Anything else is reported with the step's read-failure
// line, and null is returned.
std::unique_ptr<input_stream> open_input(input_files& files, const boost::filesystem::path& file,
                                         report& out);

}  // namespace rovev
