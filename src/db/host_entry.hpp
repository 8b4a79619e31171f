#pragma once

#include <boost/date_time/posix_time/ptime.hpp>
#include <cstdint>
#include <string>

#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One registered PC, as a registered PC file holds it.
struct host_entry {
  ll_addr lladdr;
  ipv4_address org_ipaddr;
  std::string name;
  boost::posix_time::ptime regist_time;  // not-a-date-time when none
  boost::posix_time::ptime expire_time;  // not-a-date-time when none
  bool segment_flag = true;
  bool hostname_flag = true;
  std::int32_t org_vg_list_id = 0;
};

}  // namespace rovev
