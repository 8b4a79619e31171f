#pragma once

#include <cstdint>
#include <string_view>

#include "base/date_time.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One move of a PC between two appliances, as a movement history record
// holds it. The texts are views of the record, good while it is written.
struct hostmove_entry {
  ll_addr lladdr;
  ipv4_address ipaddr;
  std::uint32_t src_vg_list_id = 0;
  std::uint32_t dst_vg_list_id = 0;
  std::string_view name;
  std::string_view hostname;
  std::string_view workgroup;
  date_time confirmed_table;
};

}  // namespace rovev
