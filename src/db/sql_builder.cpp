#include "db/sql_builder.hpp"

#include <algorithm>

#include "db/statement_text.hpp"

namespace rovev {

sql_builder::sql_builder(kept_text table, std::int32_t statement_kind)
    : statement_kind_(statement_kind), table_(table) {}

char* sql_builder::begin_value(kept_text column, std::size_t room) {
  const std::string_view name = column;
  const std::size_t comma = columns_.empty() ? 0 : 1;
  if (statement_kind_ == update) {
    // column=literal, each after the last
    char* out = columns_.extend(comma + name.size() + 1 + room);
    if (comma != 0) *out++ = ',';
    out = std::copy(name.begin(), name.end(), out);
    *out++ = '=';
    return out;
  }
  // the column to the list of columns, the literal to the list of literals
  char* out = columns_.extend(comma + name.size());
  if (comma != 0) *out++ = ',';
  std::copy(name.begin(), name.end(), out);
  out = literals_.extend(comma + room);
  if (comma != 0) *out++ = ',';
  return out;
}

void sql_builder::add_value(kept_text column, kept_text value, bool quote, bool escape) {
  const std::string_view literal = value;
  end_value(write_value_text(begin_value(column, value_text_room(literal, quote, escape)), literal,
                             quote, escape));
}

void sql_builder::add_parameter(kept_text column) { add_value(column, "?", false, false); }

template <class Write>
void sql_builder::add_written(kept_text column, std::size_t room, const Write& write) {
  char* out = begin_value(column, 1 + room + 1);
  *out++ = '\'';
  out = write(out);
  *out++ = '\'';
  end_value(out);
}

void sql_builder::add_date_value(kept_text column, const date_time& time) {
  if (time.is_not_a_date_time()) return;
  const std::int64_t year = time.split().year;
  if (year < 1400 || year > 10000) return;
  add_written(column, date_time::text_room, [&](char* out) { return time.write_text(out); });
}

void sql_builder::add_address(kept_text column, const ll_addr& address) {
  add_written(column, ll_addr::text_length, [&](char* out) { return address.write_text(out); });
}

void sql_builder::add_address(kept_text column, const ipv4_address& address) {
  add_written(column, ipv4_text_room, [&](char* out) { return write_text(out, address); });
}

void sql_builder::add_address(kept_text column, const ipv4_address& address, std::uint16_t port) {
  // "%s:%u"
  add_written(column, ipv4_text_room + 1 + decimal_room, [&](char* out) {
    out = write_text(out, address);
    *out++ = ':';
    return format_decimal(out, port);
  });
}

void sql_builder::add_field(kept_text column) { fields_.push_back(column); }

std::string sql_builder::to_sql() const {
  std::string sql;
  write_sql(sql);
  return sql;
}

void sql_builder::write_sql(std::string& out) const {
  write_text(out, [this](auto& sink) { describe(sink); });
}

template <class Sink>
void sql_builder::describe(Sink& sink) const {
  switch (statement_kind_) {
    case select:
      // select fields from table where ... group by ... order by ... limit n
      sink.put("select ");
      if (fields_.empty()) sink.put('*');
      for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (i != 0) sink.put(',');
        sink.put(fields_[i]);
      }
      sink.put(" from ");
      sink.put(table_);
      describe_where(sink);
      if (!group_by.empty()) {
        sink.put(" group by ");
        sink.put(group_by);
      }
      if (!order_by.empty()) {
        sink.put(" order by ");
        sink.put(order_by);
      }
      if (limit != 0) {
        char digits[decimal_room];
        sink.put(" limit ");
        sink.put({digits, static_cast<std::size_t>(format_decimal(digits, limit) - digits)});
      }
      break;
    case insert:
    case insert_or_replace:
      // keyword table(column,...) VALUES(value,...)
      sink.put(statement_kind_ == insert ? "insert into " : "insert or replace into ");
      sink.put(table_);
      sink.put('(');
      sink.put(columns_.view());
      sink.put(") VALUES(");
      sink.put(literals_.view());
      sink.put(')');
      break;
    case update:
      // update table set column=value,... where ...
      sink.put("update ");
      sink.put(table_);
      sink.put(" set ");
      sink.put(columns_.view());
      describe_where(sink);
      break;
    default:
      break;
  }
}

template <class Sink>
void sql_builder::describe_where(Sink& sink) const {
  if (where.empty()) return;
  sink.put(" where ");
  where.describe(sink);
}

}  // namespace rovev
