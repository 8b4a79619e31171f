#pragma once

#include <cstdint>
#include <string_view>

#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// One registered appliance, as a line of the appliance list holds it. The
// texts are views of the line, good while it is written.
struct appliance_entry {
  // Written into the statement as it is, unquoted: only a text read as a
  // number belongs here.
  std::string_view id;
  ll_addr lladdr;
  std::string_view name;
  ipv4_address ipaddr;
  std::uint16_t port = 80;
  ipv4_address netaddr;
  bool nat = false;
};

}  // namespace rovev
