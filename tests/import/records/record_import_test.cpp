// Registered PC files and both histories, end to end.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <cerrno>

#include "import/records/detection_history_import.hpp"
#include "import/records/history_record.hpp"
#include "import/records/host_file_record.hpp"
#include "import/records/registered_pc_import.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"
#include "support/collected_report.hpp"
#include "support/memory_files.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::step_lines;
using testing::write_file;
namespace fs = boost::filesystem;

const std::string pcs_start = "登録済みPCの取り込みを開始します  (dir: ";
const std::string detection_start = "検知履歴の取り込みを開始しました: ";
const std::string movement_start = "移動履歴の取り込みを開始しました: ";

std::string pcs_finish(int files, int pcs) {
  return "登録済みPCの取り込みが完了しました。" + std::to_string(files) +
         "個のファイルを取り込み、" + std::to_string(pcs) + "件のPCを登録しました。";
}
std::string history_finish(const std::string& kind, int files, int records) {
  return kind + "の取り込みが完了しました。" + std::to_string(files) + "個のファイルが見つかり、" +
         std::to_string(records) + "件の履歴を取り込みました。";
}

std::string pc(std::uint8_t last_octet, const std::string& netaddr = "0.0.0.0") {
  sample::host_fields fields;
  fields.lladdr = {0, 0, 0, 0, 0, last_octet};
  fields.netaddr = netaddr;
  fields.name = "pc" + std::to_string(last_octet);
  return sample::encode_host_record(fields);
}

TEST(registered_pcs, takes_host_db_and_numbered_files_only) {
  const base_folder base;
  base.write_list("vellgard.list", {"gate,10.0.0.1,7,,192.168.1.0,"});
  write_file(base / "host.db", pc(1));
  write_file(base / "host_3.db", pc(2, "192.168.1.0") + pc(3));
  write_file(base / "HOST_4.db", pc(4));
  write_file(base / "host_-2.db", "");
  for (const char* skipped :
       {"host_5.DB", "host_0.db", "host_x.db", "host_6.hist", "host_12x.db"}) {
    write_file(base / skipped, pc(9));
  }
  write_file(base / "host_8.db", pc(8) + "x");
  fs::create_directory(base / "host_9.db");
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(step_lines(result.out, pcs_start),
            (Lines{pcs_start + "\"" + base.path().string() + "\")", pcs_finish(4, 4)}));
  EXPECT_EQ(base.rows("select vg_list_id,org_vg_list_id,lladdr,name from allow_list "
                      "order by lladdr"),
            (Lines{"0|0|00:00:00:00:00:01|pc1", "3|7|00:00:00:00:00:02|pc2",
                   "3|0|00:00:00:00:00:03|pc3", "4|0|00:00:00:00:00:04|pc4"}));
  EXPECT_EQ(base.rows("select count(*) from host_flag"), Lines{"4"});
}

TEST(registered_pcs, refused_rows_are_quiet_for_constraints_and_reported_otherwise) {
  const base_folder base;
  testing::other_connection(base.database())
      .exec("create unique index one_pc on allow_list(lladdr);");
  write_file(base / "host_1.db", pc(1) + pc(1) + pc(2));
  const auto result = base.run();
  EXPECT_EQ(step_lines(result.out, pcs_start).back(), pcs_finish(1, 2));
  EXPECT_EQ(base.rows("select lladdr from allow_list order by id"),
            (Lines{"00:00:00:00:00:01", "00:00:00:00:00:02"}));

  const base_folder broken;
  testing::other_connection(broken.database()).exec("drop table allow_list;");
  write_file(broken / "host_1.db", pc(1) + pc(2));
  const auto lines = step_lines(broken.run().out, pcs_start);
  EXPECT_EQ(lines,
            (Lines{lines.front(),
                   "    [Error]: DBへの格納に失敗しました  (what: SQL error or missing database)",
                   "    [Error]: DBへの格納に失敗しました  (what: SQL error or missing database)",
                   pcs_finish(1, 0)}));
}

// A regular file that will not open, and one whose reading fails after its
// first record, are reported; both count as files, the second with its PC.
TEST(registered_pcs, files_that_cannot_be_read_are_reported) {
  const base_folder base;
  testing::write_file(base / "host_1.db", "");  // for the listing
  testing::write_file(base / "host_2.db", "");
  testing::memory_files files;
  files.add(base / "host_1.db", pc(1), false);
  files.add(base / "host_2.db", pc(2) + pc(3), true, host_record_size + 10);
  database_manager db;
  db.open(base.database().string());
  testing::collected_report out;
  import_registered_pcs(db, files, base.path(), {}, out);
  std::sort(out.out.begin() + 1, out.out.end() - 1);
  EXPECT_EQ(out.out,
            (Lines{out.out.front(),
                   "    [Error]: ファイル読み込みに失敗しました: " + base.quoted("host_1.db"),
                   "    [Error]: ファイル読み込みに失敗しました: " + base.quoted("host_2.db"),
                   pcs_finish(2, 1)}));
  EXPECT_EQ(base.rows("select lladdr from allow_list"), Lines{"00:00:00:00:00:02"});
}

sample::detection_fields sighting(const std::string& hostname) {
  return {"00:1A:2B:3C:4D:5E", "192.168.1.23",        hostname,
          "WORKGROUP",         "2014-08-01 08:30:00", "2014-08-01 08:31:10"};
}

TEST(detection_history, imports_records_and_reports_each_failure) {
  const base_folder base;
  std::string records;
  records += sample::encode_detection_record(sighting("good1"));
  auto bad_ip = sighting("bad_ip");
  bad_ip.ipaddr = "10.0.0.999";
  records += sample::encode_detection_record(bad_ip);
  auto both_bad = sighting("both");
  both_bad.lladdr = "00:1A:2B";
  both_bad.detect_time = "";
  records += sample::encode_detection_record(both_bad);
  auto no_time = sighting("no_time");
  no_time.detect_time = "";
  records += sample::encode_detection_record(no_time);
  auto cast = sighting("cast");
  cast.confirmed_time = "abcd-01-01 00:00:00";
  records += sample::encode_detection_record(cast);
  auto empty = sighting("it's empty");
  empty.lladdr = "";
  empty.ipaddr = "";
  records += sample::encode_detection_record(empty);
  write_file(base / "hist" / "host_12.hist", records);
  fs::create_directories(base / "hist" / "a" / "b");
  write_file(base / "hist" / "a" / "b" / "host_-5.hist",
             sample::encode_detection_record(sighting("deep")));
  write_file(base / "hist" / "a" / "HOST_7.hist", "short");
  for (const char* skipped :
       {"host_12.HIST", "host_12.hist.bak", "other.hist", "host_0.hist", "host_12x.hist"}) {
    write_file(base / "hist" / skipped, sample::encode_detection_record(sighting("skipped")));
  }
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  const std::string file = (base / "hist" / "host_12.hist").string();
  const auto lines = step_lines(result.out, detection_start);
  const std::string address_error =
      "    [Error]: 無効なIPアドレスまたはMACアドレスです  (what: Invalid argument)";
  const std::string record_error =
      "    [Error]: 無効なレコードが含まれています  (file: " + file + ")";
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], detection_start + base.quoted("hist"));
  EXPECT_EQ(Lines(lines.begin() + 1, lines.end() - 1),
            (Lines{address_error, address_error, record_error, record_error}));
  EXPECT_EQ(lines.back(), history_finish("検知履歴", 3, 3));
  EXPECT_EQ(base.rows("select vg_list_id,lladdr,ipaddr,hostname,workgroup,detect_time,"
                      "confirmed_time,regist_flag from detection_log order by hostname"),
            (Lines{"4294967291|00:1A:2B:3C:4D:5E|192.168.1.23|deep|WORKGROUP|2014-08-01 08:30:00|"
                   "2014-08-01 08:31:10|0",
                   "12|00:1A:2B:3C:4D:5E|192.168.1.23|good1|WORKGROUP|2014-08-01 08:30:00|"
                   "2014-08-01 08:31:10|0",
                   "12|00:00:00:00:00:00|0.0.0.0|it's empty|WORKGROUP|2014-08-01 08:30:00|"
                   "2014-08-01 08:31:10|0"}));
  EXPECT_EQ(result.err, "");
}

// The walk goes depth first, in the order of the listing, each folder before
// the entries after it. A folder that cannot be listed and an entry whose
// status fails are reported and the walk goes on; a file whose reading fails
// midway is reported and keeps the rows read before.
TEST(detection_history, a_walk_goes_depth_first_and_on_past_what_it_cannot_read) {
  const base_folder base;
  const fs::path hist = base / "hist";
  const auto records = [](int count) {
    std::string bytes;
    for (int n = 0; n < count; ++n) bytes += sample::encode_detection_record(sighting("h"));
    return bytes;
  };
  testing::memory_files files;
  files.add(hist / "host_3.hist", records(1));
  files.add(hist / "b" / "host_1.hist", records(1));
  files.add(hist / "a" / "host_2.hist", records(3), true, 2 * detection_record_size + 10);
  files.add(hist / "a" / "c" / "host_4.hist", records(1));
  files.add(hist / "d" / "host_5.hist", records(1));
  files.fail_listing(hist / "d", EACCES);
  files.fail_status(hist / "a" / "e", ENAMETOOLONG);
  files.fail_status(hist / "b" / "host_6.hist", ELOOP);
  database_manager db;
  db.open(base.database().string());
  testing::collected_report out;
  EXPECT_TRUE(import_detection_history(files, hist, db, out).committed);
  EXPECT_EQ(
      out.out,
      (Lines{detection_start + base.quoted("hist"),
             "    [Error]: ファイルシステムエラーです  (what: boost::filesystem::symlink_status: "
             "File name too long: \"" +
                 (hist / "a" / "e").string() + "\")",
             "    [Error]: ファイル読み込みに失敗しました: " + base.quoted("hist/a/host_2.hist"),
             "    [Error]: ファイル読み込みに失敗しました: " + base.quoted("hist/b/host_6.hist"),
             "    [Error]: ファイルシステムエラーです  (what: "
             "boost::filesystem::directory_iterator::construct: Permission denied: \"" +
                 (hist / "d").string() + "\")",
             history_finish("検知履歴", 5, 5)}));
  EXPECT_EQ(base.rows("select vg_list_id from detection_log order by id"),
            (Lines{"4", "2", "2", "1", "3"}));
}

TEST(detection_history, an_empty_folder_commits_nothing) {
  const base_folder base;
  fs::create_directory(base / "hist");
  EXPECT_EQ(step_lines(base.run().out, detection_start),
            (Lines{detection_start + base.quoted("hist"), history_finish("検知履歴", 0, 0)}));
}

TEST(detection_history, links_to_folders_are_not_entered) {
  const base_folder base;
  fs::create_directories(base / "hist" / "sub");
  write_file(base / "hist" / "sub" / "host_1.hist", sample::encode_detection_record(sighting("a")));
  fs::create_directory_symlink(base / "hist", base / "hist" / "sub" / "loop");
  fs::create_directory_symlink(base / "hist" / "sub", base / "hist" / "link");
  const auto result = base.run();
  EXPECT_EQ(step_lines(result.out, detection_start).back(), history_finish("検知履歴", 1, 1));
}

// A file that passes the name rules but will not open is not lost in silence.
TEST(history_files, that_will_not_open_are_reported_and_counted) {
  const base_folder base;
  fs::create_directories(base / "hist");
  fs::create_directories(base / "hostmove");
  fs::create_symlink(base / "gone", base / "hist" / "host_1.hist");
  fs::create_symlink(base / "gone", base / "hostmove" / "hostmove.hist");
  const auto out = base.run().out;
  const std::string hist = (base / "hist" / "host_1.hist").string();
  const std::string hostmove = (base / "hostmove" / "hostmove.hist").string();
  EXPECT_EQ(step_lines(out, detection_start),
            (Lines{detection_start + base.quoted("hist"),
                   "    [Error]: ファイル読み込みに失敗しました: \"" + hist + "\"",
                   history_finish("検知履歴", 1, 0)}));
  EXPECT_EQ(step_lines(out, movement_start),
            (Lines{movement_start + base.quoted("hostmove"),
                   "    [Error]: ファイル読み込みに失敗しました: \"" + hostmove + "\"",
                   history_finish("移動履歴", 1, 0)}));
}

TEST(detection_history, a_refused_row_leaves_the_others) {
  const base_folder base;
  testing::other_connection(base.database())
      .exec(
          "create trigger no_b before insert on detection_log when new.hostname = 'b' "
          "begin select raise(abort, 'no'); end;");
  write_file(base / "hist" / "host_1.hist", sample::encode_detection_record(sighting("a")) +
                                                sample::encode_detection_record(sighting("b")) +
                                                sample::encode_detection_record(sighting("c")));
  const auto lines = step_lines(base.run().out, detection_start);
  EXPECT_EQ(lines, (Lines{lines.front(),
                          "    [Error]: DBへの格納に失敗しました  (what: Abort due to constraint "
                          "violation)",
                          history_finish("検知履歴", 1, 2)}));
  EXPECT_EQ(base.rows("select hostname from detection_log order by id"), (Lines{"a", "c"}));
}

sample::movement_fields move(const std::string& name) {
  return {"00:1A:2B:3C:4D:5E", name, "192.168.1.23", "PC-SALES01",
          "WORKGROUP",         "+3", "-1",           "2014-08-02 10:00:00"};
}

TEST(movement_history, imports_records_and_tells_failures_apart) {
  const base_folder base;
  std::string records = sample::encode_movement_record(move("Sales' PC"));
  auto empty_source = move("empty source");
  empty_source.source = "";
  records += sample::encode_movement_record(empty_source);
  auto blank = move("blank");
  blank.destination = " 3";
  records += sample::encode_movement_record(blank);
  auto year = move("year");
  year.confirmed_time = "abcd-01-01 00:00:00";
  records += sample::encode_movement_record(year);
  auto month = move("month");
  month.confirmed_time = "2014-13-01 00:00:00";
  records += sample::encode_movement_record(month);
  auto no_time = move("no time");
  no_time.confirmed_time = "";
  records += sample::encode_movement_record(no_time);
  auto bad_mac = move("bad mac");
  bad_mac.lladdr = "zz";
  bad_mac.source = "";
  records += sample::encode_movement_record(bad_mac);
  auto empty = move("");
  empty.lladdr = "";
  empty.ipaddr = "";
  records += sample::encode_movement_record(empty);
  write_file(base / "hostmove" / "hostmove.hist", records);
  write_file(base / "hostmove" / "sub" / "hostmove.hist",
             sample::encode_movement_record(move("2")));
  for (const char* skipped : {"HOSTMOVE.HIST", "hostmove.hist.old", "host_3.hist", "other.hist"}) {
    write_file(base / "hostmove" / skipped, sample::encode_movement_record(move("skipped")));
  }
  const auto result = base.run();
  const std::string file = (base / "hostmove" / "hostmove.hist").string();
  const std::string id_error =
      "    [Error]: IDの変換に失敗しました  (what: bad lexical cast: source "
      "type value could not be interpreted as target)";
  const std::string format_error = "    [Error]: フォーマットエラーです  (file: " + file + ")";
  const auto lines = step_lines(result.out, movement_start);
  ASSERT_EQ(lines.size(), 8u);
  EXPECT_EQ(
      Lines(lines.begin() + 1, lines.end() - 1),
      (Lines{id_error, id_error, id_error, format_error, format_error,
             "    [Error]: 無効なIPアドレスまたはMACアドレスです  (what: Invalid argument)"}));
  EXPECT_EQ(lines.back(), history_finish("移動履歴", 2, 3));
  EXPECT_EQ(base.rows("select src_vg_list_id,dst_vg_list_id,name,lladdr,ipaddr,hostname,workgroup,"
                      "confirmed_table from hostmove order by name"),
            (Lines{"3|4294967295||00:00:00:00:00:00|0.0.0.0|PC-SALES01|WORKGROUP|"
                   "2014-08-02 10:00:00",
                   "3|4294967295|2|00:1A:2B:3C:4D:5E|192.168.1.23|PC-SALES01|WORKGROUP|"
                   "2014-08-02 10:00:00",
                   "3|4294967295|Sales' PC|00:1A:2B:3C:4D:5E|192.168.1.23|PC-SALES01|WORKGROUP|"
                   "2014-08-02 10:00:00"}));
}

TEST(movement_history, slots_without_nul_end_at_the_slot) {
  const base_folder base;
  std::string record = sample::encode_movement_record(move("x"));
  record.replace(24, 48, std::string(48, 'N'));  // name fills its slot
  record.replace(96, 24, std::string(24, 'H'));  // host name fills its slot
  write_file(base / "hostmove" / "hostmove.hist", record);
  base.run();
  EXPECT_EQ(base.rows("select name,hostname,workgroup from hostmove"),
            Lines{std::string(48, 'N') + "|" + std::string(24, 'H') + "|WORKGROUP"});
}

}  // namespace
}  // namespace rovev
