#pragma once

#include <cstddef>

#include "app/appliance_id_map.hpp"
#include "db/host_entry.hpp"

namespace rovev {

// A registered PC file is a plain run of 58-byte records:
//   0  6  MAC address, raw bytes
//   6  4  PC IPv4 address, network order
//  10  4  network address of the appliance it was registered on, network order
//  14 33  name, up to the first NUL (the last byte always ends it)
//  47  4  registration time, signed little-endian seconds since 1970; 0 = none
//  51  4  expiry time, the same
//  55  1  flags: 0x02 set = no host name flag, 0x04 set = no segment flag
//  56  2  not read
constexpr std::size_t host_record_size = 58;

// Fills every field of the entry from the record; the appliance is looked up
// by its network address (0 when unknown).
void decode_host_record(const unsigned char* record, const appliance_id_map& appliance_ids,
                        host_entry& entry);

}  // namespace rovev
