#pragma once

#include <boost/date_time/posix_time/ptime.hpp>
#include <string_view>

namespace rovev {

// A date-time slot as time_from_string reads it, and with its failures: a
// cast failure (boost::bad_lexical_cast) or a range failure (std::out_of_range
// and its kin). The common "YYYY-MM-DD HH:MM:SS" with every part in range is
// read directly; every other text goes to time_from_string.
boost::posix_time::ptime read_date_time(std::string_view text);

}  // namespace rovev
