// One record of each kind, written byte by byte apart from the readers and
// the sample encoders: both must agree with it.
#include <gtest/gtest.h>

#include "import/records/history_record.hpp"
#include "import/records/host_file_record.hpp"
#include "record_encoding.hpp"
#include "support/collected_report.hpp"
#include "support/memory_files.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

std::string golden(const char* name) {
  return testing::read_file(boost::filesystem::path(ZOV_GOLDEN_FOLDER) / name);
}

std::string read_one(const std::string& bytes, std::size_t size) {
  testing::memory_stream stream(bytes);
  std::string record(size, '\0');
  testing::collected_report out;
  EXPECT_TRUE(read_history_record(stream, record.data(), size, out));
  EXPECT_TRUE(out.err.empty());
  return record;
}

TEST(record_layout, detection) {
  const std::string bytes = golden("detection.rec");
  const std::string record = read_one(bytes, detection_record_size);
  using slot = detection_slot;
  EXPECT_EQ(slot_text(record.data(), slot::lladdr), "00:1A:2B:3C:4D:5E");
  EXPECT_EQ(slot_text(record.data(), slot::ipaddr), "192.168.1.23");
  EXPECT_EQ(slot_text(record.data(), slot::hostname), "PC-SALES01");
  EXPECT_EQ(slot_text(record.data(), slot::workgroup), "WORKGROUP");
  EXPECT_EQ(slot_text(record.data(), slot::detect_time), "2014-08-01 08:30:00");
  EXPECT_EQ(slot_text(record.data(), slot::confirmed_time), "2014-08-01 08:31:10");
  EXPECT_EQ(
      sample::encode_detection_record({"00:1A:2B:3C:4D:5E", "192.168.1.23", "PC-SALES01",
                                       "WORKGROUP", "2014-08-01 08:30:00", "2014-08-01 08:31:10"}),
      bytes);
}

TEST(record_layout, movement) {
  const std::string bytes = golden("movement.rec");
  const std::string record = read_one(bytes, movement_record_size);
  using slot = movement_slot;
  EXPECT_EQ(slot_text(record.data(), slot::lladdr), "00-1A-2B-3C-4D-5F");
  EXPECT_EQ(slot_text(record.data(), slot::name), "Sales PC");
  EXPECT_EQ(slot_text(record.data(), slot::ipaddr), "192.168.1.24");
  EXPECT_EQ(slot_text(record.data(), slot::hostname), "PC-SALES02");
  EXPECT_EQ(slot_text(record.data(), slot::workgroup), "WORKGROUP");
  EXPECT_EQ(slot_text(record.data(), slot::source), "+3");
  EXPECT_EQ(slot_text(record.data(), slot::destination), "-1");
  EXPECT_EQ(slot_text(record.data(), slot::confirmed_table), "2014-08-02 10:00:00");
  EXPECT_EQ(
      sample::encode_movement_record({"00-1A-2B-3C-4D-5F", "Sales PC", "192.168.1.24", "PC-SALES02",
                                      "WORKGROUP", "+3", "-1", "2014-08-02 10:00:00"}),
      bytes);
}

TEST(record_layout, registered_pc) {
  const std::string bytes = golden("host.rec");
  ASSERT_EQ(bytes.size(), host_record_size);
  appliance_id_map appliance_ids;
  appliance_ids[*ipv4_from_text("192.168.1.0")] = 7;
  host_entry entry;
  decode_host_record(reinterpret_cast<const unsigned char*>(bytes.data()), appliance_ids, entry);
  EXPECT_EQ(std::string(entry.lladdr.to_text()), "00:1A:2B:3C:4D:60");
  EXPECT_EQ(entry.org_ipaddr.to_string(), "192.168.1.25");
  EXPECT_EQ(entry.org_vg_list_id, 7);
  EXPECT_EQ(entry.name, "Sales' PC");
  EXPECT_EQ(entry.regist_time, date_time::from_parts({2014, 8, 4, 9, 5, 7, 0}));
  EXPECT_EQ(entry.expire_time, date_time::from_parts({2015, 8, 4, 0, 0, 0, 0}));
  EXPECT_TRUE(entry.hostname_flag);
  EXPECT_FALSE(entry.segment_flag);
  sample::host_fields fields;
  fields.lladdr = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x60};
  fields.ipaddr = "192.168.1.25";
  fields.netaddr = "192.168.1.0";
  fields.name = "Sales' PC";
  fields.regist_time = 1407143107;
  fields.expire_time = 1438646400;
  fields.flags = 0x04;
  EXPECT_EQ(sample::encode_host_record(fields), bytes);
}

}  // namespace
}  // namespace rovev
