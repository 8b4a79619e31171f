#pragma once

#include <boost/system/error_code.hpp>
#include <string>

namespace rovev {

// The text of a system error as the tool's lines give it after "what:": the
// C library's message on POSIX (in the locale's language), on Windows the
// same English texts, never the system's own message.
std::string error_text(const boost::system::error_code& error);

}  // namespace rovev
