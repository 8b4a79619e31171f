#include "db/database_manager.hpp"

#include <gtest/gtest.h>

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

TEST(database_manager, a_file_that_will_not_open_is_a_failure_and_leaves_no_handle) {
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
      [&] {
        db.add_appliance({"1", mac, "n", ip, 80, ip, false});
      },
      [&] { db.add_host_flag(mac, true); },
      [&] { db.add_host(host_entry{}); },
      [&] {
        db.store_group({"g", {}, {}});
      },
      [&] { db.add_detection_log(detection_entry{}); },
      [&] {
        db.add_hostmove({mac, ip, 1, 2, "n", "h", "w", {}});
      },
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

TEST_F(database_manager_test, scope_commits_rows_written_before_an_exception) {
  try {
    transaction_scope scope(db_);
    db_.add_host_flag(*ll_addr::from_text("00:00:00:00:00:01"), true);
    db_.add_host_flag(*ll_addr::from_text("00:00:00:00:00:02"), false);
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
    db_.add_host_flag(*ll_addr::from_text("00:00:00:00:00:01"), true);
    const auto failure = scope.end();
    ASSERT_TRUE(failure.has_value());
    EXPECT_STREQ(failure->what(), "The database file is locked");
    EXPECT_FALSE(scope.end().has_value());  // ended once only
  }
  reader.exec("COMMIT;");
  // The connection is usable again: the next transaction begins and commits.
  {
    transaction_scope scope(db_);
    db_.add_host_flag(*ll_addr::from_text("00:00:00:00:00:02"), true);
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

TEST_F(database_manager_test, add_host_writes_allow_list_and_host_flag) {
  host_entry entry;
  entry.lladdr = *ll_addr::from_text("00:1A:2B:3C:4D:5E");
  entry.org_ipaddr = *ipv4_from_text("192.168.1.23");
  entry.name = "Sales' PC";
  entry.regist_time = date_time::from_parts({2014, 8, 4, 9, 5, 7, 0});
  entry.expire_time = date_time::from_parts({2015, 8, 4, 0, 0, 0, 0});
  entry.hostname_flag = true;
  entry.segment_flag = false;
  entry.org_vg_list_id = 5;
  entry.vg_list_id = 2;
  db_.add_host(entry);
  entry.regist_time = entry.expire_time = date_time();
  entry.org_vg_list_id = 0;
  entry.hostname_flag = false;
  entry.vg_list_id = static_cast<std::uint32_t>(-2);
  db_.add_host(entry);
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
  entry.lladdr = *ll_addr::from_text("00:1A:2B:3C:4D:5E");
  entry.vg_list_id = 3;
  db_.add_host(entry);
  EXPECT_EQ(rows("select vg_list_id,lladdr from allow_list"), Rows{"3|00:1A:2B:3C:4D:5E"});
  EXPECT_EQ(rows("select count(*) from host_flag"), Rows{"0"});
}

TEST_F(database_manager_test, store_group_clears_links_left_under_the_new_id) {
  testing::other_connection(file_).exec(
      "insert into user_groups values(1,99,1); insert into group_vg_list values(1,99);");
  EXPECT_TRUE(db_.store_group({"g", {}, {}}));
  EXPECT_EQ(rows("select count(*) from user_groups"), Rows{"0"});
  EXPECT_EQ(rows("select count(*) from group_vg_list"), Rows{"0"});
}

}  // namespace
}  // namespace rovev
