#pragma once

#include <cstddef>

#include "db/host_entry.hpp"
#include "import/appliance_id_map.hpp"

namespace rovev {

// A registered PC file is a plain run of 58-byte records; where their fields
// begin. Bytes 56 and 57 are not read.
namespace host_field {
constexpr std::size_t lladdr = 0;    // 6 raw bytes
constexpr std::size_t ipaddr = 6;    // the PC's IPv4 address, network order
constexpr std::size_t netaddr = 10;  // the appliance's network address, network order
constexpr std::size_t name = 14;     // up to the first NUL; the last byte always ends it
constexpr std::size_t name_width = 33;
constexpr std::size_t regist_time = 47;  // signed little-endian seconds since 1970; 0 = none
constexpr std::size_t expire_time = 51;  // the same
constexpr std::size_t flags = 55;        // 0x02 set: no host name flag; 0x04 set: no segment flag
}  // namespace host_field
constexpr std::size_t host_record_size = 58;

// Fills the entry's fields from the record, all but the appliance whose file
// it is; the appliance of its network address is looked up (0 when unknown).
void decode_host_record(const unsigned char* record, const appliance_id_map& appliance_ids,
                        host_entry& entry);

}  // namespace rovev
