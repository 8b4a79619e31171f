// The three lists, end to end: the built tool on real files and a real vg.db.
#include <gtest/gtest.h>
#include <boost/filesystem/operations.hpp>

#include "support/base_folder.hpp"

namespace rovev {
namespace {

using Lines = std::vector<std::string>;
using testing::base_folder;
using testing::step_lines;

const std::string appliance_start = "登録済みVellgard2 一覧の取り込みを開始します: ";
const std::string user_start = "ユーザ一覧の取り込みを開始します: ";
const std::string group_start = "グループ一覧の取り込みを開始します: ";

std::string error(const std::string& text) { return "    [Error]: " + text; }
std::string at_line(int line, const std::string& message) {
  return error(std::to_string(line) + "行目でエラーが発生しました  (Message: " + message + ")");
}
const std::string invalid_argument = "Invalid argument";
const std::string bad_cast =
    "bad lexical cast: source type value could not be interpreted as target";

TEST(appliance_list, imports_good_lines_and_reports_each_bad_one) {
  const base_folder base;
  base.write_list(
      "vellgard.list",
      {"本社,192.168.1.10,1,00:1a:2B:3c:4D:5e,192.168.1.0,",
       "支社,192.168.2.10:8080,2,001A2B-3C4D5F,192.168.2.0,nat", "空欄,10.0.0.1,007,,,NAT",
       "INVALID,10.0.0.2,+9,INVALID,10.0.0.0,nat ", "", "a,10.0.0.3:65536,4,,,", "a,10.0.0.3:,4,,,",
       "a,10.0.0.3:8x,4,,,", "a,10.0.0.999:x,4,,,", "a,10.0.0.3,4,invalid,,",
       "a,10.0.0.3,4,,10.0.0,", "a,10.0.0.3, 4,,,", "a,10.0.0.3,4x,zz,,", "a,10.0.0.3,4,,,,",
       "a,10.0.0.3,4,,", "再登録,10.0.0.5,1,,192.168.9.0,", "it's,10.0.0.6,4294967295,,,"});
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  const std::string address = "無効なIPアドレスまたはMACアドレスです  what: " + invalid_argument;
  EXPECT_EQ(step_lines(result.out, appliance_start),
            (Lines{appliance_start + base.quoted("vellgard.list"),
                   at_line(5, "カラム数が一致しません"), at_line(6, address), at_line(7, address),
                   at_line(8, address), at_line(9, address), at_line(10, address),
                   at_line(11, address), at_line(12, "無効なIDです  what: " + bad_cast),
                   at_line(13, "無効なIDです  what: " + bad_cast),
                   at_line(14, "カラム数が一致しません"), at_line(15, "カラム数が一致しません"),
                   at_line(16, "DBへの格納に失敗しました  what: Abort due to constraint violation"),
                   "登録済みVellgard2 一覧の取り込みが完了しました。5件取り込みました。"}));
  EXPECT_EQ(base.rows("select id,name,ipaddr,lladdr,netaddr,nat from vg_list order by id"),
            (Lines{"1|本社|192.168.1.10:80|00:1A:2B:3C:4D:5E|192.168.1.0|0",
                   "2|支社|192.168.2.10:8080|00:1A:2B:3C:4D:5F|192.168.2.0|1",
                   "7|空欄|10.0.0.1:80|00:00:00:00:00:00|0.0.0.0|0",
                   "9|INVALID|10.0.0.2:80|00:00:00:00:00:00|10.0.0.0|0",
                   "4294967295|it's|10.0.0.6:80|00:00:00:00:00:00|0.0.0.0|0"}));
  EXPECT_EQ(base.rows("select count(*) from vg_list where created is null or created = ''"),
            Lines{"0"});
}

// An empty hash leaves the administrator's stored one.
TEST(user_list, adds_users_moved_up_by_ten_and_updates_the_administrator) {
  const base_folder base;
  base.write_list("manager.user",
                  {"5,user5,h5,x,営業", "0,admin,h0,x,first", "0,admin,,x,管理者", "7,Admin,,x,",
                   "+8,admin ,h8,x,d8", "-1,broken,h,x,d", "-1,broken,h,x", "7a,u,h,x,d",
                   ",u,h,x,d", "2147483637,max,h,x,d", "2147483638,over,h,x,d",
                   "-5,minus,h,x,d,extra", "5,again,h,x,d", "-6,u'q,h'q,x,d'q"});
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(step_lines(result.out, user_start),
            (Lines{user_start + base.quoted("manager.user"), at_line(6, "エラー行です"),
                   at_line(7, "カラム数が一致しません"),
                   at_line(8, "無効なユーザIDです  what: " + bad_cast),
                   at_line(9, "無効なユーザIDです  what: " + bad_cast),
                   at_line(11, "無効なユーザIDです  what: " + bad_cast),
                   at_line(12, "カラム数が一致しません"),
                   at_line(13, "DBへの格納に失敗しました  what: Abort due to constraint violation"),
                   "ユーザ一覧の取り込みが完了しました。7件取り込みました。"}));
  EXPECT_EQ(base.rows("select id,login_user_name,hash_password,description from users order by id"),
            (Lines{"1|admin|h0|管理者", "4|u'q|h'q|d'q", "15|user5|h5|営業", "17|Admin||",
                   "18|admin |h8|d8", "2147483647|max|h|d"}));
}

TEST(group_list, stores_groups_with_their_members) {
  const base_folder base;
  base.write_list("vellgard.group",
                  {"1,営業部,3//x/5/3,0/2,2/-1", "2,全拠点,ALL,2,3", "3,小文字,all,,", "4,名前だけ",
                   "", "only", "5,営業部,9,9,9", "6,it's,1,2147483637/2147483638,,x,y", "7,,,,"});
  const auto result = base.run();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(step_lines(result.out, group_start),
            (Lines{group_start + base.quoted("vellgard.group"),
                   "グループ一覧の取り込みが完了しました。6件取り込みました。"}));
  EXPECT_EQ(base.rows("select id,name from groups order by id"),
            (Lines{"1|営業部", "2|小文字", "3|名前だけ", "4|it's", "5|"}));
  EXPECT_EQ(base.rows("select group_id,user_id,permission from user_groups order by 1,2"),
            (Lines{"1|1|1", "1|9|2", "1|12|2", "4|2147483647|1"}));
  EXPECT_EQ(base.rows("select group_id,vg_list_id from group_vg_list order by 1,2"),
            (Lines{"1|3", "1|5", "4|1"}));
}

TEST(group_list, a_group_the_database_refuses_is_reported_and_not_counted) {
  const base_folder base;
  testing::other_connection(base.database())
      .exec(
          "create trigger no_x before insert on groups when new.name = 'x' "
          "begin select raise(abort, 'refused'); end;");
  base.write_list("vellgard.group", {"1,a,1,,", "2,x,1,1,", "3,b,2,,"});
  const auto result = base.run();
  EXPECT_EQ(step_lines(result.out, group_start),
            (Lines{group_start + base.quoted("vellgard.group"),
                   at_line(2, "DBへの格納に失敗しました  what: Abort due to constraint violation"),
                   "グループ一覧の取り込みが完了しました。2件取り込みました。"}));
  EXPECT_EQ(base.rows("select name from groups order by id"), (Lines{"a", "b"}));
  // The refused group left nothing behind, not even its id.
  EXPECT_EQ(base.rows("select group_id from group_vg_list order by 1"), (Lines{"1", "2"}));
}

}  // namespace
}  // namespace rovev
