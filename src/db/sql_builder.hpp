#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "base/decimal_text.hpp"
#include "db/where_builder.hpp"

namespace rovev {

// Builds the text of one select, insert, update or insert-or-replace
// statement, with every value spliced in as a literal. Values are written
// into their lists as they are added, so a row costs few allocations.
class sql_builder {
 public:
  enum kind : std::int32_t { select = 0, insert = 1, update = 2, insert_or_replace = 3 };

  sql_builder(const char* table, std::int32_t statement_kind);
  virtual ~sql_builder() = default;

  void add_value(std::string_view column, std::string_view value, bool quote, bool escape);
  // A "?" parameter marker in the column's place.
  void add_parameter(std::string_view column);
  // A date literal; nothing at all for not-a-date-time or a date out of range,
  // so the column keeps its default.
  void add_date_value(std::string_view column, const date_time& time);
  void add_field(std::string_view column);

  // The writers' typed forms of add_value.
  // A text that may hold a single quote: quoted, the quote doubled.
  void add_text(std::string_view column, std::string_view text) {
    add_value(column, text, true, true);
  }
  // A text that holds no single quote, such as an address: quoted as it is.
  void add_quoted(std::string_view column, std::string_view text) {
    add_value(column, text, true, false);
  }
  // Written as it is: a number text, an SQL expression.
  void add_token(std::string_view column, std::string_view token) {
    add_value(column, token, false, false);
  }
  template <class Integer>
  void add_number(std::string_view column, Integer value) {
    add_token(column, decimal_text(value));
  }
  void add_flag(std::string_view column, bool flag) { add_token(column, flag ? "1" : "0"); }

  std::string to_sql() const&;
  // The same text, built in the builder's own buffer of values instead of a
  // copy of it: a statement with a long value is held once. The builder is
  // spent afterwards.
  std::string to_sql() &&;

  where_builder where;
  std::uint32_t limit = 0;
  std::string order_by;
  std::string group_by;

 private:
  void append_where(std::string& out) const;

  std::int32_t statement_kind_;
  std::string table_;
  std::size_t value_count_ = 0;
  // Insert kinds: the column names and the literals, each joined by ",".
  // Update: the assignments column=literal, joined by ",".
  std::string columns_;
  std::string literals_;
  std::string fields_;  // select list, joined by ","
};

}  // namespace rovev
