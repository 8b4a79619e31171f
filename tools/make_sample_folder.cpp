// Writes a sample base folder in the appliance's formats: the three CP932
// lists with CR LF line ends, registered PC files and both histories, with a
// few deliberate faults so that every kind of message shows.
#include <boost/filesystem/operations.hpp>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "record_encoding.hpp"

namespace fs = boost::filesystem;
using namespace rovev::sample;

namespace {

void write(const fs::path& file, const std::string& bytes) {
  // Boost refuses to make "." (the base folder given as "."), which exists.
  const fs::path folder = file.parent_path().lexically_normal();
  if (!folder.empty() && folder != ".") fs::create_directories(folder);
  std::ofstream stream(file.string(), std::ios::binary);
  if (!(stream << bytes)) throw std::runtime_error("cannot write " + file.string());
}

std::string list(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += to_cp932(line) + "\r\n";
  return text;
}

void write_sample_folder(const fs::path& base) {
  write(base / "vellgard.list",
        list({"本社ゲート,192.168.1.10,1,00:1A:2B:3C:4D:01,192.168.1.0,",
              "支社ゲート,192.168.2.10:8080,2,00-1a-2b-3c-4d-02,192.168.2.0,nat",
              "倉庫ゲート,10.0.0.1,3,INVALID,10.0.0.0,",
              "アドレス誤り,192.168.1.300,4,00:1A:2B:3C:4D:04,192.168.4.0,",
              "ID誤り,192.168.5.10,5x,00:1A:2B:3C:4D:05,192.168.5.0,", "列不足,192.168.6.10,6",
              "ID重複,192.168.7.10,1,00:1A:2B:3C:4D:07,192.168.7.0,"}) +
            "\x85\x40,10.0.0.8,8,,,\r\n");
  write(base / "manager.user",
        list({"2,yamada,5f4dcc3b5aa765d61d8327deb882cf99,-,山田 太郎",
              "3,suzuki,7c6a180b36896a0a8c02787eeafb0e4c,-,鈴木 花子", "0,admin,,-,管理者",
              "-1,broken,,-,エラー行", "abc,tanaka,,-,田中 一郎",
              "4,sato,e10adc3949ba59abbe56e057f20f883e", "2,yamada2,,-,ID重複"}));
  write(base / "vellgard.group", list({"1,営業部,1/2,2/3,0", "2,全拠点,ALL,2,",
                                       "3,倉庫チーム,3/x/,3,2", "4,営業部,2,,", ""}));

  host_fields pc;
  pc.lladdr = {0x00, 0x50, 0x56, 0x00, 0x00, 0x01};
  pc.ipaddr = "192.168.1.21";
  pc.netaddr = "192.168.1.0";
  pc.name = "経理PC";
  pc.regist_time = 1407143107;  // 2014-08-04 09:05:07
  pc.expire_time = 1438646400;  // 2015-08-04 00:00:00
  std::string host_1 = encode_host_record(pc);
  pc.lladdr[5] = 0x02;
  pc.ipaddr = "192.168.1.22";
  pc.netaddr = "192.168.9.0";  // not a listed appliance: org_vg_list_id 0
  pc.name = "Sales' PC";
  pc.expire_time = 0;
  pc.flags = 0x06;
  host_1 += encode_host_record(pc);
  write(base / "host_1.db", host_1);
  pc.lladdr[5] = 0x03;
  pc.netaddr = "192.168.2.0";
  pc.name = "共用PC";
  pc.regist_time = 0;
  pc.flags = 0;
  write(base / "host.db", encode_host_record(pc));
  write(base / "host_3.db", encode_host_record(pc) + "x");  // size not a multiple of 58
  write(base / "host_x.db", encode_host_record(pc));        // no appliance number

  detection_fields seen{"00:50:56:00:00:01", "192.168.1.21",        "PC-KEIRI01",
                        "WORKGROUP",         "2014-08-01 08:30:00", "2014-08-01 08:31:10"};
  std::string hist_1 = encode_detection_record(seen);
  seen.ipaddr = "192.168.1.999";  // bad address
  hist_1 += encode_detection_record(seen);
  std::string damaged = encode_detection_record(seen);
  damaged.back() = 'x';  // damaged marker: this and the next record are lost
  hist_1 += damaged + encode_detection_record(seen);
  seen.ipaddr = "";
  seen.hostname = "PC-SALES'02";
  seen.detect_time = "2014-Aug-02 10:00:00";
  hist_1 += encode_detection_record(seen);
  write(base / "hist" / "2014" / "08" / "host_1.hist", hist_1);
  seen.detect_time = "";  // no detection time
  write(base / "hist" / "host_2.hist", encode_detection_record(seen));
  write(base / "hist" / "notes.txt", "not a history file\n");

  movement_fields moved{
      "00:50:56:00:00:01",  "経理PC", "192.168.1.21", "PC-KEIRI01", "WORKGROUP", "1", "2",
      "2014-08-02 10:00:00"};
  std::string moves = encode_movement_record(moved);
  moved.source = "+2";
  moved.destination = "-1";
  moved.confirmed_time = "2014-08-03 11:00:00";
  moves += encode_movement_record(moved);
  moved.source = "2a";  // not a number
  moves += encode_movement_record(moved);
  moved.source = "3";
  moved.confirmed_time = "2014-13-01 00:00:00";  // month 13
  moves += encode_movement_record(moved);
  write(base / "hostmove" / "gate1" / "hostmove.hist", moves);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::cerr << "usage: make_sample_folder BASE_FOLDER\n";
    return 2;
  }
  try {
    write_sample_folder(argv[1]);
  } catch (const std::exception& error) {
    std::cerr << "make_sample_folder: " << error.what() << "\n";
    return 1;
  }
  return 0;
}
