#pragma once

#include <cstdint>
#include <string_view>

#include "base/date_time.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One registered PC, as a registered PC file holds it, on the appliance
// whose file it is. The name is a view of the record, good while it is
// written.
struct host_entry {
  std::uint32_t vg_list_id = 0;  // the appliance whose file it is
  ll_addr lladdr;
  ipv4_address org_ipaddr;
  std::string_view name;
  date_time regist_time;  // not-a-date-time when none
  date_time expire_time;  // not-a-date-time when none
  bool segment_flag = true;
  bool hostname_flag = true;
  std::uint32_t org_vg_list_id = 0;  // the appliance of its network address; 0: none
};

}  // namespace rovev
