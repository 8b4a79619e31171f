#include "os/error_text.hpp"

namespace rovev {

std::string error_text(const boost::system::error_code& error) { return error.message(); }

}  // namespace rovev
