#include "db/database_manager_error.hpp"

#include <gtest/gtest.h>

#include <string>
#include "support/case_name.hpp"

namespace rovev {
namespace {

struct result_case {
  int result;
  std::int32_t code;
  const char* message;
};

class result_code : public ::testing::TestWithParam<result_case> {};

TEST_P(result_code, maps_to_category_and_message) {
  const database_manager_error error(GetParam().result);
  EXPECT_EQ(error.code(), GetParam().code);
  EXPECT_STREQ(error.what(), GetParam().message);
}

// The ends of the table, every result that is not a plain failure, and a
// few that are.
INSTANTIATE_TEST_SUITE_P(
    table, result_code,
    ::testing::Values(result_case{0, db_ok, "Successful result"},
                      result_case{1, db_failure, "SQL error or missing database"},
                      result_case{4, db_abort, "Callback routine requested an abort"},
                      result_case{5, db_busy, "The database file is locked"},
                      result_case{6, db_busy, "A table in the database is locked"},
                      result_case{7, db_resource, "A malloc() failed"},
                      result_case{8, db_failure, "Attempt to write a readonly database"},
                      result_case{10, db_resource, "Some kind of disk I/O error occurred"},
                      result_case{14, db_failure, "Unable to open the database file"},
                      result_case{19, db_constraint, "Abort due to constraint violation"},
                      result_case{26, db_failure, "File opened that is not a database file"},
                      result_case{27, db_failure, ""}, result_case{99, db_failure, ""},
                      result_case{100, db_failure, "sqlite3_step() has another row ready"},
                      result_case{101, db_failure, "sqlite3_step() has finished executing"},
                      result_case{102, db_failure, ""}, result_case{-1, db_failure, ""}),
    [](const auto& info) {
      return testing::case_name(info.index, "result " + std::to_string(info.param.result));
    });

}  // namespace
}  // namespace rovev
