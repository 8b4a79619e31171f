#pragma once

#include <boost/date_time/posix_time/ptime.hpp>
#include <string>

#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One sighting of a PC, as a detection history record holds it.
struct detection_entry {
  ll_addr lladdr;
  ipv4_address ipaddr;
  std::string hostname;
  std::string workgroup;
  boost::posix_time::ptime detect_time;
  boost::posix_time::ptime confirmed_time;
  bool regist_flag = false;
};

}  // namespace rovev
