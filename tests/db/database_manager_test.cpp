#include "db/database_manager.hpp"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <functional>

#include "db/transaction_lost.hpp"
#include "db/transaction_scope.hpp"
#include "support/failing_trigger.hpp"
#include "support/manager_database.hpp"
#include "support/temp_folder.hpp"

namespace rovev {
namespace {

using testing::create_manager_database;
using testing::query;
using Rows = std::vector<std::string>;

class database_manager_test : public ::testing::Test {
 protected:
  void SetUp() override {
    create_manager_database(file_);
    db_.open(file_.string());
  }

  Rows rows(const std::string& sql) { return query(file_, sql); }

  testing::temp_folder folder_;
  boost::filesystem::path file_ = folder_ / "vg.db";
  database_manager db_;
};

TEST(database_manager, open_failure_is_code_5_and_leaves_no_handle) {
  database_manager db;
  try {
    db.open("/nonexistent-folder/sub/vg.db");
    FAIL() << "open succeeded";
  } catch (const database_manager_error& error) {
    EXPECT_EQ(error.code(), db_failure);
    EXPECT_STREQ(error.what(), "Unable to open the database file");
  }
  EXPECT_FALSE(db.is_open());
}

TEST(database_manager, entry_points_need_an_open_connection) {
  database_manager db;
  const ll_addr mac;
  const ipv4_address ip;
  const std::vector<std::function<void()>> operations{
      [&] { transaction_scope scope(db); },
      [&] { db.add_appliance("1", mac, "n", ip, 80, ip, false); },
      [&] { db.add_host_flag(mac, true); },
      [&] { db.add_host(host_entry{}, 1); },
      [&] { db.store_group("g", {}, {}); },
      [&] { db.add_detection_log(detection_entry{}, 1); },
      [&] { db.add_hostmove(mac, ip, 1, 2, "n", "h", "w", {}); },
  };
  for (const auto& operation : operations) {
    try {
      operation();
      ADD_FAILURE() << "no error";
    } catch (const database_manager_error& error) {
      EXPECT_EQ(error.code(), db_failure);
      EXPECT_STREQ(error.what(), "not initialized !");
    }
  }
}

TEST_F(database_manager_test, constraint_violation_is_code_1) {
  db_.add_appliance("2", ll_addr("00:1a:2B:3c:4D:5e"), "Floor 3", ipv4_from_string("192.168.1.10"),
                    80, ipv4_from_string("192.168.1.0"), false);
  try {
    db_.add_appliance("2", ll_addr(), "again", ipv4_address(), 80, ipv4_address(), true);
    FAIL() << "duplicate id accepted";
  } catch (const database_manager_error& error) {
    EXPECT_EQ(error.code(), db_constraint);
    EXPECT_STREQ(error.what(), "Abort due to constraint violation");
  }
  EXPECT_EQ(rows("select id,name,ipaddr,lladdr,netaddr,nat from vg_list"),
            Rows{"2|Floor 3|192.168.1.10:80|00:1A:2B:3C:4D:5E|192.168.1.0|0"});
}

TEST_F(database_manager_test, appliance_id_text_is_written_unchanged) {
  db_.add_appliance("007", ll_addr(), "it's", ipv4_address(), 8080, ipv4_address(), true);
  db_.add_appliance("+5", ll_addr(), "", ipv4_address(), 0, ipv4_address(), false);
  EXPECT_THROW(db_.add_appliance("x", ll_addr(), "", ipv4_address(), 0, ipv4_address(), false),
               database_manager_error);
  EXPECT_EQ(rows("select id,name,ipaddr,nat from vg_list order by id"),
            (Rows{"5||0.0.0.0:0|0", "7|it's|0.0.0.0:8080|1"}));
}

TEST_F(database_manager_test, scope_commits_rows_written_before_an_exception) {
  try {
    transaction_scope scope(db_);
    db_.add_host_flag(ll_addr("00:00:00:00:00:01"), true);
    db_.add_host_flag(ll_addr("00:00:00:00:00:02"), false);
    throw std::runtime_error("step failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_EQ(rows("select lladdr,segment_flag from host_flag order by lladdr"),
            (Rows{"00:00:00:00:00:01|1", "00:00:00:00:00:02|0"}));
}

TEST_F(database_manager_test, a_failed_commit_is_rolled_back_and_given_back) {
  testing::other_connection reader(file_);
  reader.exec("BEGIN; SELECT count(*) FROM users;");
  {
    transaction_scope scope(db_);
    db_.add_host_flag(ll_addr("00:00:00:00:00:01"), true);
    const auto failure = scope.end();
    ASSERT_TRUE(failure.has_value());
    EXPECT_STREQ(failure->what(), "The database file is locked");
    EXPECT_FALSE(scope.end().has_value());  // ended once only
  }
  reader.exec("COMMIT;");
  // The connection is usable again: the next transaction begins and commits.
  {
    transaction_scope scope(db_);
    db_.add_host_flag(ll_addr("00:00:00:00:00:02"), true);
  }
  EXPECT_EQ(rows("select lladdr from host_flag"), Rows{"00:00:00:00:00:02"});
}

// Once SQLite has rolled a transaction back on its own, nothing runs on the
// connection until the transaction's scope ends, even for a caller that
// swallows the error: a statement would otherwise commit by itself.
TEST_F(database_manager_test, a_transaction_sqlite_ended_refuses_statements_until_its_scope_ends) {
  const testing::io_error_function io_error;
  testing::fail_inserts(file_, "host_flag", "new.segment_flag = 0");
  database_manager db;
  db.open(file_.string());
  const auto mac = [](unsigned char n) {
    const unsigned char bytes[6] = {0, 0, 0, 0, 0, n};
    return ll_addr(bytes);
  };
  {
    transaction_scope scope(db);
    db.add_host_flag(mac(1), true);
    for (unsigned char n = 2; n < 5; ++n) {
      try {
        db.add_host_flag(mac(n), n != 2);
        ADD_FAILURE() << "a statement ran after the transaction was lost";
      } catch (const transaction_lost& error) {
        EXPECT_STREQ(error.what(), "Some kind of disk I/O error occurred");
      }
    }
  }
  EXPECT_EQ(rows("select count(*) from host_flag"), Rows{"0"});
  {
    transaction_scope scope(db);
    db.add_host_flag(mac(5), true);
  }
  EXPECT_EQ(rows("select lladdr from host_flag"), Rows{"00:00:00:00:00:05"});
}

// The address space the test process holds now.
rlim_t address_space() {
  std::ifstream statm("/proc/self/statm");
  rlim_t pages = 0;
  statm >> pages;
  return pages * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE));
}

// Whatever leaves store_group takes its transaction with it: here the lack
// of memory for the select of a long name, after the BEGIN.
TEST_F(database_manager_test, a_group_abandoned_by_any_error_leaves_no_transaction_open) {
#ifdef __SANITIZE_ADDRESS__
  GTEST_SKIP() << "the sanitizers' own address space outgrows any limit";
#endif
  const std::string name(64 << 20, '\'');  // its select needs twice that
  rlimit previous{};
  ::getrlimit(RLIMIT_AS, &previous);
  const rlimit tight{address_space() + (96 << 20), previous.rlim_max};
  ::setrlimit(RLIMIT_AS, &tight);
  EXPECT_THROW(db_.store_group(name, {}, {}), std::bad_alloc);
  ::setrlimit(RLIMIT_AS, &previous);
  EXPECT_TRUE(db_.store_group("next", {1}, {{12, 1}}));
  EXPECT_EQ(rows("select name from groups"), Rows{"next"});
  EXPECT_EQ(rows("select group_id,user_id from user_groups"), Rows{"1|12"});
}

TEST_F(database_manager_test, host_flag_is_inserted_once) {
  const ll_addr mac("00:1A:2B:3C:4D:5E");
  db_.add_host_flag(mac, false);
  db_.add_host_flag(mac, true);
  EXPECT_EQ(rows("select lladdr,segment_flag from host_flag"), Rows{"00:1A:2B:3C:4D:5E|0"});
}

TEST_F(database_manager_test, add_host_writes_allow_list_and_host_flag) {
  host_entry entry;
  entry.lladdr = ll_addr("00:1A:2B:3C:4D:5E");
  entry.org_ipaddr = ipv4_from_string("192.168.1.23");
  entry.name = "Sales' PC";
  entry.regist_time = date_time::from_parts({2014, 8, 4, 9, 5, 7, 0});
  entry.expire_time = date_time::from_parts({2015, 8, 4, 0, 0, 0, 0});
  entry.hostname_flag = true;
  entry.segment_flag = false;
  entry.org_vg_list_id = 5;
  db_.add_host(entry, 2);
  entry.regist_time = entry.expire_time = date_time();
  entry.org_vg_list_id = 0;
  entry.hostname_flag = false;
  db_.add_host(entry, -2);
  EXPECT_EQ(rows("select vg_list_id,org_vg_list_id,lladdr,name,regist_time,expire_time,"
                 "hostname_flag,org_ipaddr from allow_list order by id")[0],
            "2|5|00:1A:2B:3C:4D:5E|Sales' PC|2014-08-04 09:05:07|2015-08-04 00:00:00|1|"
            "192.168.1.23");
  EXPECT_EQ(rows("select vg_list_id,org_vg_list_id,expire_time,hostname_flag from allow_list "
                 "order by id")[1],
            "4294967294|0|NULL|0");
  EXPECT_EQ(rows("select lladdr,segment_flag from host_flag"), Rows{"00:1A:2B:3C:4D:5E|0"});
}

// Only a lack of memory or a disk failure of the host_flag write stops a
// PC; any other leaves it registered without its host_flag row.
TEST_F(database_manager_test, add_host_writes_allow_list_when_host_flag_is_refused) {
  testing::other_connection(file_).exec(
      "create trigger no_flags before insert on host_flag begin select raise(abort, 'no'); end;");
  host_entry entry;
  entry.lladdr = ll_addr("00:1A:2B:3C:4D:5E");
  EXPECT_TRUE(db_.add_host(entry, 3));
  EXPECT_EQ(rows("select vg_list_id,lladdr from allow_list"), Rows{"3|00:1A:2B:3C:4D:5E"});
  EXPECT_EQ(rows("select count(*) from host_flag"), Rows{"0"});
}

TEST_F(database_manager_test, history_rows) {
  detection_entry entry;
  entry.lladdr = ll_addr("00-1A-2B-3C-4D-5E");
  entry.ipaddr = ipv4_from_string("192.168.1.23");
  entry.hostname = "PC-SALES'01";
  entry.workgroup = "WORKGROUP";
  entry.detect_time = date_time::from_parts({2014, 8, 1, 8, 30, 0, 0});
  entry.confirmed_time = date_time::from_parts({2014, 8, 1, 8, 31, 10, 0});
  db_.add_detection_log(entry, 2);
  db_.add_hostmove(entry.lladdr, entry.ipaddr, 3, 4294967295u, "Sales PC", "h'n", "wg",
                   date_time::from_parts({2014, 8, 2, 10, 0, 0, 0}));
  EXPECT_EQ(rows("select vg_list_id,lladdr,ipaddr,hostname,workgroup,detect_time,confirmed_time,"
                 "regist_flag from detection_log"),
            Rows{"2|00:1A:2B:3C:4D:5E|192.168.1.23|PC-SALES'01|WORKGROUP|2014-08-01 08:30:00|"
                 "2014-08-01 08:31:10|0"});
  EXPECT_EQ(rows("select src_vg_list_id,dst_vg_list_id,name,lladdr,ipaddr,hostname,workgroup,"
                 "confirmed_table from hostmove"),
            Rows{"3|4294967295|Sales PC|00:1A:2B:3C:4D:5E|192.168.1.23|h'n|wg|"
                 "2014-08-02 10:00:00"});
}

TEST_F(database_manager_test, users_are_added_and_the_administrator_updated) {
  db_.add_user(15, "user5", "hash'5", "Sales");
  db_.update_user("admin", "", "Administrator's desk");
  EXPECT_EQ(rows("select id,login_user_name,hash_password,description from users order by id"),
            (Rows{"1|admin|d033e22ae348aeb5660fc2140aec35850c4da997|Administrator's desk",
                  "15|user5|hash'5|Sales"}));
  db_.update_user("admin", "new", "d");
  EXPECT_EQ(rows("select hash_password from users where id=1"), Rows{"new"});
  EXPECT_THROW(db_.add_user(15, "again", "", ""), database_manager_error);
}

TEST_F(database_manager_test, store_group_writes_the_group_and_its_links_once) {
  EXPECT_TRUE(db_.store_group("Sales' PCs", {3, 5, 3}, {{1, 1}, {12, 2}}));
  EXPECT_FALSE(db_.store_group("Sales' PCs", {9}, {{13, 1}}));
  EXPECT_EQ(rows("select id,name from groups"), Rows{"1|Sales' PCs"});
  EXPECT_EQ(rows("select group_id,user_id,permission from user_groups order by user_id"),
            (Rows{"1|1|1", "1|12|2"}));
  EXPECT_EQ(rows("select group_id,vg_list_id from group_vg_list order by vg_list_id"),
            (Rows{"1|3", "1|5"}));
}

TEST_F(database_manager_test, store_group_clears_links_left_under_the_new_id) {
  testing::other_connection(file_).exec(
      "insert into user_groups values(1,99,1); insert into group_vg_list values(1,99);");
  EXPECT_TRUE(db_.store_group("g", {}, {}));
  EXPECT_EQ(rows("select count(*) from user_groups"), Rows{"0"});
  EXPECT_EQ(rows("select count(*) from group_vg_list"), Rows{"0"});
}

TEST_F(database_manager_test, store_group_whose_commit_fails_is_rolled_back_and_thrown) {
  testing::other_connection reader(file_);
  reader.exec("BEGIN; SELECT count(*) FROM groups;");
  try {
    db_.store_group("g", {1}, {{1, 1}});
    FAIL() << "lost group reported as stored";
  } catch (const database_manager_error& error) {
    EXPECT_EQ(error.code(), db_busy);
  }
  reader.exec("COMMIT;");
  EXPECT_EQ(rows("select count(*) from groups"), Rows{"0"});
  EXPECT_TRUE(db_.store_group("g", {1}, {}));
}

}  // namespace
}  // namespace rovev
