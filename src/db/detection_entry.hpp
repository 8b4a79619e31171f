#pragma once

#include <cstdint>
#include <string_view>

#include "base/date_time.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One sighting of a PC, as a detection history record holds it, by the
// appliance whose file it is. The texts are views of the record, good while
// it is written.
struct detection_entry {
  std::uint32_t vg_list_id = 0;
  ll_addr lladdr;
  ipv4_address ipaddr;
  std::string_view hostname;
  std::string_view workgroup;
  date_time detect_time;
  date_time confirmed_time;
  bool regist_flag = false;
};

}  // namespace rovev
