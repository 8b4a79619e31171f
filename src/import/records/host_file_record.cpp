#include "import/records/host_file_record.hpp"

#include <cstdint>
#include <cstring>

namespace rovev {
namespace {

std::int32_t little_endian_int32(const unsigned char* bytes) {
  const std::uint32_t value = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                              std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
  return static_cast<std::int32_t>(value);
}

date_time seconds_since_1970(std::int32_t seconds) {
  if (seconds == 0) return date_time();
  return date_time::from_microseconds(std::int64_t{seconds} * 1'000'000);
}

}  // namespace

void decode_host_record(const unsigned char* record, const appliance_id_map& appliance_ids,
                        host_entry& entry) {
  entry.lladdr = ll_addr(record + host_field::lladdr);
  entry.org_ipaddr = ipv4_from_network_bytes(record + host_field::ipaddr);
  const auto appliance = appliance_ids.find(ipv4_from_network_bytes(record + host_field::netaddr));
  entry.org_vg_list_id = appliance == appliance_ids.end() ? 0 : appliance->second;
  const char* name = reinterpret_cast<const char*>(record + host_field::name);
  entry.name = std::string_view(name, strnlen(name, host_field::name_width - 1));
  entry.regist_time = seconds_since_1970(little_endian_int32(record + host_field::regist_time));
  entry.expire_time = seconds_since_1970(little_endian_int32(record + host_field::expire_time));
  const unsigned char flags = record[host_field::flags];
  entry.hostname_flag = (flags & 0x02) == 0;
  entry.segment_flag = (flags & 0x04) == 0;
}

}  // namespace rovev
