// Makes a base folder of a chosen size for one import step, in the
// appliance's formats, with a small share of damaged records and bad lines
// so that the error paths are timed too.
//   make_bench_folder FOLDER detection|movement|pcs|lists COUNT [FILES]
// FILES: for pcs, how many files share the PCs (1 unless given).
#include <boost/filesystem/operations.hpp>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include "record_encoding.hpp"

namespace fs = boost::filesystem;
using namespace rovev::sample;

namespace {

std::string mac_text(std::uint32_t n) {
  char text[18];
  std::snprintf(text, sizeof text, "00:16:%02X:%02X:%02X:%02X", n >> 24 & 0xFF, n >> 16 & 0xFF,
                n >> 8 & 0xFF, n & 0xFF);
  return text;
}

std::string ip_text(std::uint32_t n) {
  return "10." + std::to_string(n >> 16 & 0xFF) + "." + std::to_string(n >> 8 & 0xFF) + "." +
         std::to_string(n & 0xFF);
}

std::string time_text(std::uint32_t n) {
  char text[24];
  std::snprintf(text, sizeof text, "2014-%02u-%02u %02u:%02u:%02u", n % 12 + 1, n % 28 + 1, n % 24,
                n % 60, n / 60 % 60);
  return text;
}

class output_file {
 public:
  explicit output_file(const fs::path& file) {
    fs::create_directories(file.parent_path());
    stream_.open(file.string(), std::ios::binary);
  }
  void write(const std::string& bytes) { stream_.write(bytes.data(), bytes.size()); }

 private:
  std::ofstream stream_;
};

// One record in 100 has a bad address, one in 1000 a damaged marker.
void make_detection(const fs::path& base, std::uint32_t count) {
  constexpr std::uint32_t files = 8;
  for (std::uint32_t f = 0; f < files; ++f) {
    output_file out(base / "hist" / ("site" + std::to_string(f % 3)) / std::to_string(f) /
                    ("host_" + std::to_string(f + 1) + ".hist"));
    for (std::uint32_t n = f; n < count; n += files) {
      detection_fields fields{mac_text(n), ip_text(n),   "PC-" + std::to_string(n),
                              "WORKGROUP", time_text(n), time_text(n + 61)};
      if (n % 100 == 99) fields.ipaddr = "10.0.0.999";
      std::string record = encode_detection_record(fields);
      if (n % 1000 == 500) record.back() = '!';
      out.write(record);
    }
  }
}

void make_movement(const fs::path& base, std::uint32_t count) {
  constexpr std::uint32_t files = 4;
  for (std::uint32_t f = 0; f < files; ++f) {
    output_file out(base / "hostmove" / ("gate" + std::to_string(f)) / "hostmove.hist");
    for (std::uint32_t n = f; n < count; n += files) {
      movement_fields fields{mac_text(n),
                             "PC " + std::to_string(n),
                             ip_text(n),
                             "PC-" + std::to_string(n),
                             "WORKGROUP",
                             std::to_string(n % 50 + 1),
                             std::to_string(n % 7 + 1),
                             time_text(n)};
      if (n % 100 == 99) fields.source = "x";
      std::string record = encode_movement_record(fields);
      if (n % 1000 == 500) record.back() = '!';
      out.write(record);
    }
  }
}

// The PCs spread over the files in turn, each its own MAC, so that host_flag
// grows with the input.
void make_pcs(const fs::path& base, std::uint32_t count, std::uint32_t files) {
  for (std::uint32_t f = 0; f < files; ++f) {
    output_file out(base / ("host_" + std::to_string(f + 1) + ".db"));
    for (std::uint32_t n = f; n < count; n += files) {
      host_fields fields;
      fields.lladdr = {0x00,
                       0x16,
                       static_cast<std::uint8_t>(n >> 24),
                       static_cast<std::uint8_t>(n >> 16),
                       static_cast<std::uint8_t>(n >> 8),
                       static_cast<std::uint8_t>(n)};
      fields.ipaddr = ip_text(n);
      fields.netaddr = "192.168." + std::to_string(n % 8) + ".0";
      fields.name = "PC " + std::to_string(n);
      fields.regist_time = 1407143107 + static_cast<std::int32_t>(n);
      fields.expire_time = n % 2 == 0 ? 0 : 1438646400;
      fields.flags = static_cast<std::uint8_t>(n % 8);
      out.write(encode_host_record(fields));
    }
  }
}

// One line in 100 is bad in each list.
void make_lists(const fs::path& base, std::uint32_t count) {
  output_file appliances(base / "vellgard.list");
  output_file users(base / "manager.user");
  output_file groups(base / "vellgard.group");
  for (std::uint32_t n = 1; n <= count; ++n) {
    const bool bad = n % 100 == 0;
    const std::string id = std::to_string(n);
    appliances.write(to_cp932("拠点" + id + "," + ip_text(n) + ":8080," + (bad ? "x" : id) + "," +
                              mac_text(n) + "," + ip_text(n << 8) + ",nat\r\n"));
    users.write(to_cp932((bad ? "-1" : id) + ",user" + id + ",5f4dcc3b5aa765d61d8327deb882cf99,-," +
                         "利用者" + id + "\r\n"));
    groups.write(to_cp932(id + ",グループ" + id + "," + id + "/" + std::to_string(n + 1) + "," +
                          id + "/0," + std::to_string(n + 1) + "\r\n"));
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 4 && argc != 5) {
    std::cerr << "usage: make_bench_folder FOLDER detection|movement|pcs|lists COUNT [FILES]\n";
    return 2;
  }
  const fs::path base(argv[1]);
  const std::string kind = argv[2];
  const auto count = static_cast<std::uint32_t>(std::stoul(argv[3]));
  fs::create_directories(base);
  if (kind == "detection") {
    make_detection(base, count);
  } else if (kind == "movement") {
    make_movement(base, count);
  } else if (kind == "pcs") {
    make_pcs(base, count, argc == 5 ? static_cast<std::uint32_t>(std::stoul(argv[4])) : 1);
  } else if (kind == "lists") {
    make_lists(base, count);
  } else {
    std::cerr << "unknown kind " << kind << "\n";
    return 2;
  }
  return 0;
}
