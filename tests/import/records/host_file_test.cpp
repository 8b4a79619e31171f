#include <gtest/gtest.h>

#include "import/records/host_file_name.hpp"
#include "import/records/host_file_record.hpp"
#include "record_encoding.hpp"
#include "support/case_name.hpp"

namespace rovev {
namespace {

struct name_case {
  const char* name;
  const char* suffix;
  std::int32_t number;
};

class host_file_name : public ::testing::TestWithParam<name_case> {};

TEST_P(host_file_name, gives_the_number_or_0) {
  EXPECT_EQ(parse_host_file_name(GetParam().name, GetParam().suffix), GetParam().number)
      << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    names, host_file_name,
    ::testing::Values(name_case{"host_3.db", ".db", 3}, name_case{"HOST_4.db", ".db", 4},
                      name_case{"host_5.DB", ".db", 5}, name_case{"host_0.db", ".db", 0},
                      name_case{"host_x.db", ".db", 0}, name_case{"host_-2.db", ".db", -2},
                      name_case{"host_007.db", ".db", 7}, name_case{"host_+7.db", ".db", 7},
                      name_case{"host_12x.db", ".db", 0}, name_case{"host_12.old.db", ".db", 0},
                      name_case{"host_12.db.db", ".db", 12}, name_case{"host_ 1.db", ".db", 0},
                      name_case{"host_2147483647.db", ".db", 2147483647},
                      name_case{"host_2147483648.db", ".db", 0},
                      name_case{"host_-2147483648.db", ".db", INT32_MIN},
                      name_case{"xhost_1.db", ".db", 0}, name_case{"host.db", ".db", 0},
                      name_case{"host_12.hist", ".hist", 12},
                      name_case{"HoSt_12.HiSt", ".hist", 12},
                      name_case{"host_12.hist.bak", ".hist", 12},
                      name_case{"host_12.db", ".hist", 0}, name_case{"other.hist", ".hist", 0}),
    [](const auto& info) { return testing::case_name(info.index, info.param.name); });

struct flags_case {
  std::uint8_t flags;
  bool hostname_flag;
  bool segment_flag;
};

class host_record_flags : public ::testing::TestWithParam<flags_case> {};

TEST_P(host_record_flags, are_bits_2_and_4_inverted) {
  sample::host_fields fields;
  fields.flags = GetParam().flags;
  const std::string record = sample::encode_host_record(fields);
  host_entry entry;
  decode_host_record(reinterpret_cast<const unsigned char*>(record.data()), {}, entry);
  EXPECT_EQ(entry.hostname_flag, GetParam().hostname_flag);
  EXPECT_EQ(entry.segment_flag, GetParam().segment_flag);
}

INSTANTIATE_TEST_SUITE_P(
    bits, host_record_flags,
    ::testing::Values(flags_case{0x00, true, true}, flags_case{0x06, false, false},
                      flags_case{0x02, false, true}, flags_case{0x04, true, false},
                      flags_case{0x01, true, true}, flags_case{0xF9, true, true}),
    [](const auto& info) {
      return testing::case_name(info.index, "flags " + std::to_string(info.param.flags));
    });

TEST(host_record, decodes_every_field) {
  sample::host_fields fields;
  fields.lladdr = {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E};
  fields.ipaddr = "192.168.1.23";
  fields.netaddr = "192.168.1.0";
  fields.name = std::string(33, 'n');
  fields.regist_time = 1;
  fields.expire_time = -1;
  const std::string record = sample::encode_host_record(fields);
  appliance_id_map appliance_ids;
  appliance_ids[*ipv4_from_text("192.168.1.0")] = 4294967295u;
  host_entry entry;
  entry.name = "left over";
  decode_host_record(reinterpret_cast<const unsigned char*>(record.data()), appliance_ids, entry);
  EXPECT_EQ(std::string(entry.lladdr.to_text()), "00:1A:2B:3C:4D:5E");
  EXPECT_EQ(entry.org_ipaddr.to_string(), "192.168.1.23");
  EXPECT_EQ(entry.org_vg_list_id, -1);
  EXPECT_EQ(entry.name, std::string(32, 'n'));
  EXPECT_EQ(entry.regist_time, date_time::from_parts({1970, 1, 1, 0, 0, 1, 0}));
  EXPECT_EQ(entry.expire_time, date_time::from_parts({1969, 12, 31, 23, 59, 59, 0}));

  fields.netaddr = "10.0.0.0";
  fields.name = "pc";
  fields.regist_time = 0;
  fields.expire_time = INT32_MIN;
  const std::string next = sample::encode_host_record(fields);
  decode_host_record(reinterpret_cast<const unsigned char*>(next.data()), appliance_ids, entry);
  EXPECT_EQ(entry.org_vg_list_id, 0);
  EXPECT_EQ(entry.name, "pc");
  EXPECT_TRUE(entry.regist_time.is_not_a_date_time());
  EXPECT_EQ(entry.expire_time, date_time::from_parts({1901, 12, 13, 20, 45, 52, 0}));
}

}  // namespace
}  // namespace rovev
