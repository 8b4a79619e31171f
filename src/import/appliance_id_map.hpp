#pragma once

#include <boost/unordered_map.hpp>
#include <cstdint>

#include "net/ipv4.hpp"

namespace rovev {

// Network address of an appliance (its four bytes) to its vg_list id: filled
// by the appliance list, read by the registered PC import.
using appliance_id_map = boost::unordered_map<ipv4_address, std::uint32_t, ipv4_hash>;

}  // namespace rovev
