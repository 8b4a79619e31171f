// Registered PC files and both histories, end to end.
#include <gtest/gtest.h>

#include <boost/filesystem/operations.hpp>
#include <boost/lexical_cast/bad_lexical_cast.hpp>
#include <cerrno>
#include <functional>

#include "base/quoted_path.hpp"
#include "import/records/detection_history_import.hpp"
#include "import/records/history_import.hpp"
#include "import/records/history_record.hpp"
#include "import/records/host_file_record.hpp"
#include "import/records/registered_pc_import.hpp"
#include "os/disk_files.hpp"
#include "record_encoding.hpp"
#include "support/base_folder.hpp"
#include "support/collected_report.hpp"
#include "support/memory_files.hpp"
#include "support/platform.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::step_lines;
using testing::write_file;
namespace fs = boost::filesystem;

const std::string pcs_start = "登録済みPCの取り込みを開始します  (dir: ";
using testing::cannot_read;
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

TEST(registered_pcs, takes_host_db_and_numbered_regular_files_only) {
  const base_folder base;
  base.write_list("vellgard.list", {"gate,10.0.0.1,7,,192.168.1.0,"});
  write_file(base / "host.db", pc(1));
  write_file(base / "host_3.db", pc(2, "192.168.1.0") + pc(3));
  write_file(base / "HOST_4.db", pc(4));
  write_file(base / "host_-2.db", "");
  for (const char* skipped :
       {"host_6.DB", "host_0.db", "host_x.db", "host_6.hist", "host_12x.db"}) {
    write_file(base / skipped, pc(9));
  }
  write_file(base / "host_8.db", pc(8) + "x");
  fs::create_directory(base / "host_9.db");
  // A file that never ends (sized 0, as /proc gives it) reads as its size.
  fs::create_symlink("/proc/self/pagemap", base / "host_5.db");
  // Names decide first: stray entries are passed over unasked, and accepted
  // names that are no regular file are reported.
  fs::create_symlink(base / "gone", base / "backup.db");
  testing::make_fifo(base / "other.db");
  testing::make_fifo(base / "host_1.db");
  fs::create_symlink(base / "gone", base / "host_2.db");
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  Lines lines = step_lines(result.out, pcs_start);
  ASSERT_EQ(lines.size(), 4u) << result.out;
  std::sort(lines.begin() + 1, lines.end() - 1);
  EXPECT_EQ(lines, (Lines{pcs_start + "\"" + base.path().string() + "\")",
                          cannot_read + base.quoted("host_1.db"),
                          cannot_read + base.quoted("host_2.db"), pcs_finish(5, 4)}));
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
  appliance_id_map appliance_ids;
  import_registered_pcs({db, files, out, appliance_ids}, base.path());
  std::sort(out.out.begin() + 1, out.out.end() - 1);
  EXPECT_EQ(out.out, (Lines{out.out.front(), cannot_read + base.quoted("host_1.db"),
                            cannot_read + base.quoted("host_2.db"), pcs_finish(2, 1)}));
  EXPECT_EQ(base.rows("select lladdr from allow_list"), Lines{"00:00:00:00:00:02"});
}

// A detection record of the host, changed as given.
std::string sighting(const std::string& hostname,
                     const std::function<void(sample::detection_fields&)>& change = {}) {
  sample::detection_fields fields{
      "00:1A:2B:3C:4D:5E", "192.168.1.23",        hostname,
      "WORKGROUP",         "2014-08-01 08:30:00", "2014-08-01 08:31:10"};
  if (change) change(fields);
  return sample::encode_detection_record(fields);
}

TEST(detection_history, imports_records_and_reports_each_failure) {
  const base_folder base;
  write_file(base / "hist" / "host_12.hist",
             sighting("good1") + sighting("bad_ip", [](auto& f) { f.ipaddr = "10.0.0.999"; }) +
                 sighting("both", [](auto& f) { f.lladdr = "00:1A:2B", f.detect_time = ""; }) +
                 sighting("no_time", [](auto& f) { f.detect_time = ""; }) +
                 sighting("cast", [](auto& f) { f.confirmed_time = "abcd-01-01 00:00:00"; }) +
                 sighting("it's empty", [](auto& f) { f.lladdr = f.ipaddr = ""; }));
  fs::create_directories(base / "hist" / "a" / "b");
  write_file(base / "hist" / "a" / "b" / "host_-5.hist", sighting("deep"));
  write_file(base / "hist" / "a" / "HOST_7.hist", "short");
  // In a folder of their own: a file system that ignores letter case would
  // take host_12.HIST for the file above.
  for (const char* skipped :
       {"host_12.HIST", "host_12.hist.bak", "other.hist", "host_0.hist", "host_12x.hist"}) {
    write_file(base / "hist" / "skipped" / skipped, sighting("skipped"));
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
    for (int n = 0; n < count; ++n) bytes += sighting("h");
    return bytes;
  };
  testing::memory_files files;
  files.add(hist / "host_3.hist", records(1));
  files.add(hist / "b" / "host_1.hist", records(1));
  files.add(hist / "a" / "host_2.hist", records(3), true, 2 * detection_record_size + 10);
  files.add(hist / "a" / "c" / "host_4.hist", records(1));
  files.add(hist / "d" / "host_5.hist", records(1));
  files.fail_listing(hist / "d", EACCES);
  files.list_untyped(hist / "a" / "e", ENAMETOOLONG);
  files.fail_status(hist / "b" / "host_6.hist", ELOOP);
  database_manager db;
  db.open(base.database().string());
  testing::collected_report out;
  appliance_id_map appliance_ids;
  EXPECT_TRUE(import_detection_history({db, files, out, appliance_ids}, hist).committed);
  EXPECT_EQ(
      out.out,
      (Lines{detection_start + base.quoted("hist"),
             "    [Error]: ファイルシステムエラーです  (what: boost::filesystem::symlink_status: "
             "File name too long: \"" +
                 (hist / "a" / "e").string() + "\")",
             cannot_read + quoted(hist / "a" / "host_2.hist"),
             cannot_read + quoted(hist / "b" / "host_6.hist"),
             "    [Error]: ファイルシステムエラーです  (what: "
             "boost::filesystem::directory_iterator::construct: Permission denied: \"" +
                 (hist / "d").string() + "\")",
             history_finish("検知履歴", 5, 5)}));
  EXPECT_EQ(base.rows("select vg_list_id from detection_log order by id"),
            (Lines{"4", "2", "2", "1", "3"}));
}

TEST(detection_history, links_to_folders_are_not_entered) {
  const base_folder base;
  fs::create_directories(base / "hist" / "sub");
  write_file(base / "hist" / "sub" / "host_1.hist", sighting("a"));
  fs::create_directory_symlink(base / "hist", base / "hist" / "sub" / "loop");
  fs::create_directory_symlink(base / "hist" / "sub", base / "hist" / "link");
  const auto result = base.run();
  EXPECT_EQ(step_lines(result.out, detection_start).back(), history_finish("検知履歴", 1, 1));
}

// A movement record of the PC, changed as given.
std::string move(const std::string& name,
                 const std::function<void(sample::movement_fields&)>& change = {}) {
  sample::movement_fields fields{"00:1A:2B:3C:4D:5E", name, "192.168.1.23", "PC-SALES01",
                                 "WORKGROUP",         "+3", "-1",           "2014-08-02 10:00:00"};
  if (change) change(fields);
  return sample::encode_movement_record(fields);
}

TEST(movement_history, imports_records_and_tells_failures_apart) {
  const base_folder base;
  write_file(base / "hostmove" / "hostmove.hist",
             move("Sales' PC") + move("empty source", [](auto& f) { f.source = ""; }) +
                 move("blank", [](auto& f) { f.destination = " 3"; }) +
                 move("year", [](auto& f) { f.confirmed_time = "abcd-01-01 00:00:00"; }) +
                 move("month", [](auto& f) { f.confirmed_time = "2014-13-01 00:00:00"; }) +
                 move("no time", [](auto& f) { f.confirmed_time = ""; }) +
                 move("bad mac", [](auto& f) { f.lladdr = "zz", f.source = ""; }) +
                 move("", [](auto& f) { f.lladdr = f.ipaddr = ""; }));
  write_file(base / "hostmove" / "sub" / "hostmove.hist", move("2"));
  for (const char* skipped : {"HOSTMOVE.HIST", "hostmove.hist.old", "host_3.hist", "other.hist"}) {
    write_file(base / "hostmove" / "skipped" / skipped, move("skipped"));
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

struct record_failure_case {
  const char* name;
  void (*fail)();    // what converting the second record throws
  const char* line;  // the line it gets, FILE for the file's path; null: it stops the step
};

class record_failure : public ::testing::TestWithParam<record_failure_case> {};

// A record whose conversion fails is reported by the kind of failure and the
// walk goes on; a lack of memory is no bad record: it stops the step.
TEST_P(record_failure, is_reported_by_its_kind) {
  const base_folder base;
  const std::string record = sample::encode_movement_record({});
  write_file(base / "hostmove" / "hostmove.hist", record + record + record);
  database_manager db;
  db.open(base.database().string());
  appliance_id_map appliance_ids;
  disk_files files;
  testing::collected_report out;
  int converted = 0;
  const history_kind kind{
      messages::start_line{messages::movement_start},
      messages::finish_line<2>{messages::movement_finish},
      messages::progress_line<3>{messages::movement_progress},
      movement_record_size,
      [](const fs::path&) { return std::optional(history_file_appliance{}); },
      [&](const char*, const history_file_appliance&) {
        if (++converted == 2) GetParam().fail();
        return row_outcome::written;
      },
      messages::bad_number_line{messages::movement_bad_number},
      messages::bad_record_line{messages::movement_bad_record},
  };
  const import_context context{db, files, out, appliance_ids};
  if (GetParam().line == nullptr) {
    EXPECT_THROW(import_history(context, base / "hostmove", kind), std::bad_alloc);
    return;
  }
  import_history(context, base / "hostmove", kind);
  std::string line = GetParam().line;
  if (const auto at = line.find("FILE"); at != std::string::npos) {
    line.replace(at, 4, (base / "hostmove" / "hostmove.hist").string());
  }
  EXPECT_EQ(out.out, (Lines{movement_start + base.quoted("hostmove"), line,
                            history_finish("移動履歴", 1, 2)}));
}

INSTANTIATE_TEST_SUITE_P(
    failures, record_failure,
    ::testing::Values(
        record_failure_case{"no_number", [] { throw boost::bad_lexical_cast(); },
                            "    [Error]: IDの変換に失敗しました  (what: bad lexical cast: source "
                            "type value could not be interpreted as target)"},
        record_failure_case{"out_of_range", [] { throw std::out_of_range("day"); },
                            "    [Error]: フォーマットエラーです  (file: FILE)"},
        record_failure_case{"no_memory", [] { throw std::bad_alloc(); }, nullptr}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rovev
