#pragma once

#include <string_view>

#include "base/date_time.hpp"

namespace rovev {

// A date-time slot as Boost's time_from_string reads it, with its two kinds
// of failure: a cast failure (boost::bad_lexical_cast) when a part that must
// be a number is none, a range failure (std::out_of_range) for the rest. The
// one difference: the years run from 1400 to 10000, as the appliance writes
// them, where Boost 1.74's own date type stops at 9999.
date_time read_date_time(std::string_view text);

}  // namespace rovev
