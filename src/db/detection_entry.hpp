#pragma once

#include <string>

#include "base/date_time.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One sighting of a PC, as a detection history record holds it.
struct detection_entry {
  ll_addr lladdr;
  ipv4_address ipaddr;
  std::string hostname;
  std::string workgroup;
  date_time detect_time;
  date_time confirmed_time;
  bool regist_flag = false;
};

}  // namespace rovev
