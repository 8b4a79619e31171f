// A registered PC record, and file names for both suffixes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size >= rovev::host_record_size) {
    rovev::appliance_id_map appliance_ids;
    appliance_ids[rovev::ipv4_from_network_bytes(data + 10)] = 7;
    rovev::host_entry entry;
    rovev::decode_host_record(data, appliance_ids, entry);
    if (entry.name.size() > 32 || entry.org_vg_list_id != 7) std::abort();
  }
  const std::string_view name(reinterpret_cast<const char*>(data), size);
  rovev::parse_host_file_name(name, ".db");
  rovev::parse_host_file_name(name, ".hist");
  return 0;
}
