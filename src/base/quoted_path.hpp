#pragma once

#include <boost/filesystem/path.hpp>
#include <string>

namespace rovev {

// The path in its quoted form: in double quotes, with an ampersand before
// every double quote or ampersand inside it.
std::string quoted(const boost::filesystem::path& path);

}  // namespace rovev
