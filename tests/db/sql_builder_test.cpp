#include "db/sql_builder.hpp"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <type_traits>
#include <utility>
#include "support/case_name.hpp"

namespace rovev {
namespace {

// The builders keep views: a text that would be gone before the statement
// is written is refused when the test is built; one that lives on is taken.
template <class Text, class = void>
struct builders_take : std::false_type {};
template <class Text>
struct builders_take<
    Text, std::void_t<decltype(std::declval<sql_builder&>().add_text(std::declval<Text>(), "v")),
                      decltype(std::declval<sql_builder&>().add_text("c", std::declval<Text>())),
                      decltype(std::declval<where_builder&>().add_text("c", std::declval<Text>())),
                      decltype(sql_builder(std::declval<Text>(), sql_builder::insert))>>
    : std::true_type {};
static_assert(builders_take<const char*>::value && builders_take<std::string_view>::value &&
              builders_take<std::string&>::value && builders_take<const std::string&>::value &&
              builders_take<const ll_addr::text_buffer&>::value);
static_assert(!builders_take<std::string>::value && !builders_take<const std::string>::value &&
              !builders_take<ll_addr::text_buffer>::value && !builders_take<ipv4_text>::value);

date_time at(std::int64_t year, unsigned month, unsigned day, unsigned hours, unsigned minutes,
             unsigned seconds, unsigned microseconds = 0) {
  return date_time::from_parts({year, month, day, hours, minutes, seconds, microseconds});
}

struct builder_case {
  const char* name;
  std::function<sql_builder()> build;
  std::string expected;
};

class sql_builder_text : public ::testing::TestWithParam<builder_case> {};

// Asked for its text, or written into the buffer a writer reuses for every
// row, which holds the statement before it.
TEST_P(sql_builder_text, matches) {
  static std::string reused(300, 'x');
  const sql_builder builder = GetParam().build();
  builder.write_sql(reused);
  EXPECT_EQ(reused, GetParam().expected);
  EXPECT_EQ(builder.to_sql(), GetParam().expected);
}

std::string many_numbers(int count) {
  std::string columns, values;
  for (int n = 0; n < count; ++n) {
    columns += (n == 0 ? "c" : ",c");
    values += (n == 0 ? "" : ",") + std::to_string(-1000000000 - n);
  }
  return "insert into t(" + columns + ") VALUES(" + values + ")";
}

INSTANTIATE_TEST_SUITE_P(
    statements, sql_builder_text,
    ::testing::Values(
        builder_case{"insert_mixed",
                     [] {
                       sql_builder b("hostmove", sql_builder::insert);
                       b.add_value("src_vg_list_id", "3", false, false);
                       b.add_value("dst_vg_list_id", "7", false, false);
                       b.add_value("name", "Sales' PC", true, true);
                       b.add_value("lladdr", "00:1A:2B:3C:4D:5E", true, false);
                       b.add_date_value("confirmed_table", at(2014, 8, 4, 9, 5, 7));
                       return b;
                     },
                     "insert into hostmove(src_vg_list_id,dst_vg_list_id,name,lladdr,confirmed_"
                     "table) VALUES(3,7,'Sales'' PC','00:1A:2B:3C:4D:5E','2014-08-04 09:05:07')"},
        builder_case{"update",
                     [] {
                       sql_builder b("users", sql_builder::update);
                       b.add_value("login_user_name", "admin", true, true);
                       b.add_value("description", "Site Admin's Desk", true, true);
                       b.where.add_number("id", 1);
                       return b;
                     },
                     "update users set login_user_name='admin',description='Site Admin''s Desk' "
                     "where (id=1)"},
        builder_case{"select_field",
                     [] {
                       sql_builder b("host_flag", sql_builder::select);
                       b.add_field("lladdr");
                       b.where.add_quoted("lladdr", "00:1A:2B:3C:4D:5E");
                       return b;
                     },
                     "select lladdr from host_flag where (lladdr='00:1A:2B:3C:4D:5E')"},
        builder_case{"select_star",
                     [] {
                       sql_builder b("host_flag", sql_builder::select);
                       return b;
                     },
                     "select * from host_flag"},
        builder_case{
            "select_extras",
            [] {
              sql_builder b("t", sql_builder::select);
              b.add_field("a");
              b.add_field("b");
              b.where.add_number("a", -1);
              b.where.add_text("b", "x''");
              b.where.conjunction = where_builder::join_and;
              b.group_by = "a";
              b.order_by = "b";
              b.limit = 10;
              return b;
            },
            "select a,b from t where (a=-1) and (b='x''''') group by a order by b limit 10"},
        builder_case{"select_or",
                     [] {
                       sql_builder b("t", sql_builder::select);
                       b.where.add_quoted("a", "1");
                       b.where.add_text("b", "it's");
                       return b;
                     },
                     "select * from t where (a='1') or (b='it''s')"},
        builder_case{"insert_or_replace",
                     [] {
                       sql_builder b("t", sql_builder::insert_or_replace);
                       b.add_value("a", "", true, false);
                       b.add_value("b", "", false, false);
                       return b;
                     },
                     "insert or replace into t(a,b) VALUES('',)"},
        builder_case{"insert_nothing",
                     [] {
                       sql_builder b("t", sql_builder::insert);
                       return b;
                     },
                     "insert into t() VALUES()"},
        builder_case{"unknown_kind",
                     [] {
                       sql_builder b("t", 7);
                       b.add_value("a", "1", false, false);
                       return b;
                     },
                     ""},
        builder_case{"update_ignores_quote_escape_split",
                     [] {
                       sql_builder b("t", sql_builder::update);
                       b.add_value("a", "it's", true, false);
                       b.add_value("b", "''", false, true);
                       return b;
                     },
                     "update t set a='it's',b=''''"},
        builder_case{"held_values_moved",
                     [] {
                       sql_builder b("vg_list", sql_builder::insert);
                       b.add_address("ipaddr", *ipv4_from_text("192.168.1.23"), 65535);
                       b.add_address("lladdr", *ll_addr::from_text("00-1a-2b-3c-4d-5e"));
                       b.add_address("netaddr", ipv4_address());
                       b.add_number("id", 4294967295u);
                       b.add_flag("nat", true);
                       return sql_builder(std::move(b));
                     },
                     "insert into vg_list(ipaddr,lladdr,netaddr,id,nat) VALUES('192.168.1.23:"
                     "65535','00:1A:2B:3C:4D:5E','0.0.0.0',4294967295,1)"},
        builder_case{"held_values_beyond_the_builders_own_room_moved",
                     [] {
                       sql_builder b("t", sql_builder::insert);
                       for (int n = 0; n < 40; ++n) b.add_number("c", -1000000000 - n);
                       return sql_builder(std::move(b));
                     },
                     many_numbers(40)}),
    [](const auto& info) { return std::string(info.param.name); });

struct date_case {
  date_time time;
  const char* expected;  // nullptr: no column
};

class date_value : public ::testing::TestWithParam<date_case> {};

TEST_P(date_value, formats_or_leaves_the_column_out) {
  sql_builder b("t", sql_builder::insert);
  b.add_value("a", "1", false, false);
  b.add_date_value("d", GetParam().time);
  const std::string expected =
      GetParam().expected == nullptr
          ? "insert into t(a) VALUES(1)"
          : std::string("insert into t(a,d) VALUES(1,") + GetParam().expected + ")";
  EXPECT_EQ(b.to_sql(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    dates, date_value,
    ::testing::Values(date_case{at(2014, 8, 4, 9, 5, 7, 250000), "'2014-08-04 09:05:07'"},
                      date_case{at(2014, 8, 4, 23, 59, 59, 999999), "'2014-08-04 23:59:59'"},
                      date_case{at(1400, 1, 1, 0, 0, 0), "'1400-01-01 00:00:00'"},
                      date_case{date_time::from_text("2014-08-04 09:05:07"),
                                "'2014-08-04 09:05:07'"},
                      date_case{at(10000, 12, 31, 23, 59, 59), "'10000-12-31 23:59:59'"},
                      date_case{at(1399, 12, 31, 23, 59, 59), nullptr},
                      date_case{at(10001, 1, 1, 0, 0, 0), nullptr},
                      date_case{date_time(), nullptr}),
    [](const auto& info) {
      return testing::case_name(info.index,
                                info.param.expected ? info.param.expected : "no column");
    });

}  // namespace
}  // namespace rovev
