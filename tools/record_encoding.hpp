#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Writers of the appliance's file formats, for sample folders, tests and
// benchmarks: the inverse of what the importers read.
namespace rovev::sample {

struct detection_fields {
  std::string lladdr;
  std::string ipaddr;
  std::string hostname;
  std::string workgroup;
  std::string detect_time;
  std::string confirmed_time;
};

struct movement_fields {
  std::string lladdr;
  std::string name;
  std::string ipaddr;
  std::string hostname;
  std::string workgroup;
  std::string source;
  std::string destination;
  std::string confirmed_time;
};

struct host_fields {
  std::array<std::uint8_t, 6> lladdr{};
  std::string ipaddr = "0.0.0.0";
  std::string netaddr = "0.0.0.0";
  std::string name;
  std::int32_t regist_time = 0;  // seconds since 1970, 0 = none
  std::int32_t expire_time = 0;
  std::uint8_t flags = 0;
};

// Whole records, marker included; texts longer than a slot are cut to leave
// its closing NUL.
std::string encode_detection_record(const detection_fields& fields);
std::string encode_movement_record(const movement_fields& fields);
std::string encode_host_record(const host_fields& fields);

// UTF-8 text in CP932, as the appliance writes its lists.
std::string to_cp932(std::string_view utf8);

}  // namespace rovev::sample
