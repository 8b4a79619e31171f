#include "db/sql_builder.hpp"

#include <boost/date_time/gregorian/gregorian_types.hpp>
#include <boost/date_time/posix_time/posix_time_types.hpp>
#include <stdexcept>

#include "db/decimal_text.hpp"

namespace rovev {
namespace {

void append_two_digits(std::string& out, unsigned value) {
  out += static_cast<char>('0' + value / 10 % 10);
  out += static_cast<char>('0' + value % 10);
}

}  // namespace

sql_builder::sql_builder(const char* table, std::int32_t statement_kind)
    : statement_kind_(statement_kind), table_(table) {}

void sql_builder::add_value(std::string_view column, std::string_view value, bool quote,
                            bool escape) {
  values_.push_back({std::string(column), std::string(value), quote, escape});
}

void sql_builder::add_parameter(std::string_view column) { add_value(column, "?", false, false); }

void sql_builder::add_date_value(std::string_view column, const boost::posix_time::ptime& time) {
  if (time.is_special()) return;
  boost::gregorian::date::ymd_type ymd(1400, 1, 1);
  try {
    ymd = time.date().year_month_day();
  } catch (const std::out_of_range&) {
    return;
  }
  const std::int64_t micros = time.time_of_day().total_microseconds();
  const auto hours = static_cast<unsigned>(micros / 3600000000LL);
  const auto minutes = static_cast<unsigned>(micros / 60000000LL % 60);
  const auto seconds = static_cast<unsigned>(micros / 1000000LL % 60);

  // '%u-%02u-%02u %02u:%02u:%02u'
  std::string literal;
  literal.reserve(21);
  literal += '\'';
  append_decimal(literal, static_cast<std::uint32_t>(ymd.year));
  literal += '-';
  append_two_digits(literal, ymd.month);
  literal += '-';
  append_two_digits(literal, ymd.day);
  literal += ' ';
  append_two_digits(literal, hours);
  literal += ':';
  append_two_digits(literal, minutes);
  literal += ':';
  append_two_digits(literal, seconds);
  literal += '\'';
  values_.push_back({std::string(column), std::move(literal), false, false});
}

void sql_builder::add_field(std::string_view column) { fields_.emplace_back(column); }

std::string sql_builder::to_sql() const {
  std::string sql;
  switch (statement_kind_) {
    case select:
      sql = "select ";
      if (fields_.empty()) {
        sql += '*';
      } else {
        for (std::size_t i = 0; i < fields_.size(); ++i) {
          if (i != 0) sql += ',';
          sql += fields_[i];
        }
      }
      sql += " from ";
      sql += table_;
      append_where(sql);
      if (!group_by.empty()) sql += " group by " + group_by;
      if (!order_by.empty()) sql += " order by " + order_by;
      if (limit != 0) {
        sql += " limit ";
        append_decimal(sql, limit);
      }
      break;
    case insert:
      sql = "insert into " + table_;
      append_column_and_value_lists(sql);
      break;
    case update:
      sql = "update " + table_ + " set ";
      append_assignment_list(sql);
      append_where(sql);
      break;
    case insert_or_replace:
      sql = "insert or replace into " + table_;
      append_column_and_value_lists(sql);
      break;
    default:
      break;
  }
  return sql;
}

void sql_builder::append_column_and_value_lists(std::string& out) const {
  std::string value_list = "VALUES(";
  out += '(';
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (i != 0) {
      out += ',';
      value_list += ',';
    }
    out += values_[i].column;
    append_value_text(value_list, values_[i].value, values_[i].quote, values_[i].escape);
  }
  out += ") ";
  out += value_list;
  out += ')';
}

void sql_builder::append_assignment_list(std::string& out) const {
  for (std::size_t i = 0; i < values_.size(); ++i) {
    if (i != 0) out += ',';
    out += values_[i].column;
    out += '=';
    append_value_text(out, values_[i].value, values_[i].quote, values_[i].escape);
  }
}

void sql_builder::append_where(std::string& out) const {
  const std::string clause = where.to_sql();
  if (!clause.empty()) out += " where " + clause;
}

}  // namespace rovev
