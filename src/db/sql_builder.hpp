#pragma once

#include <boost/container/small_vector.hpp>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/date_time.hpp"
#include "base/decimal_text.hpp"
#include "db/built_text.hpp"
#include "db/kept_text.hpp"
#include "db/where_builder.hpp"
#include "net/ipv4.hpp"
#include "net/ll_addr.hpp"

namespace rovev {

// Builds the text of one select, insert, update or insert-or-replace
// statement, with every value spliced in as a literal. Each value is written
// as its literal, quoted and escaped, the moment it is added, beside its
// column: numbers, addresses and dates are written straight into the
// builder's own texts (built_text), and the statement is then put together
// from a few pieces. The builder is the one place that quotes a text and
// decides which dates are written; a date's text form is date_time's own.
// It keeps views of the table name and of the where clause's texts
// (kept_text: a temporary does not compile).
class sql_builder {
 public:
  enum kind : std::int32_t { select = 0, insert = 1, update = 2, insert_or_replace = 3 };

  sql_builder(kept_text table, std::int32_t statement_kind);
  sql_builder(sql_builder&&) = default;
  sql_builder& operator=(sql_builder&&) = delete;
  virtual ~sql_builder() = default;

  void add_value(kept_text column, kept_text value, bool quote, bool escape);
  // A "?" parameter marker in the column's place.
  void add_parameter(kept_text column);
  // A date literal; nothing at all for not-a-date-time or a date out of range,
  // so the column keeps its default.
  void add_date_value(kept_text column, const date_time& time);
  void add_field(kept_text column);

  // The writers' typed forms of add_value.
  // A text that may hold a single quote: quoted, the quote doubled.
  void add_text(kept_text column, kept_text text) { add_value(column, text, true, true); }
  // A text that holds no single quote: quoted as it is.
  void add_quoted(kept_text column, kept_text text) { add_value(column, text, true, false); }
  // Written as it is: a number text, an SQL expression.
  void add_token(kept_text column, kept_text token) { add_value(column, token, false, false); }
  template <class Integer>
  void add_number(kept_text column, Integer value) {
    end_value(format_decimal(begin_value(column, decimal_room), value));
  }
  void add_flag(kept_text column, bool flag) { *begin_value(column, 1) = flag ? '1' : '0'; }
  // Addresses in their one text form, quoted: "00:1A:2B:3C:4D:5E",
  // "192.168.1.23", and with a port "192.168.1.23:80".
  void add_address(kept_text column, const ll_addr& address);
  void add_address(kept_text column, const ipv4_address& address);
  void add_address(kept_text column, const ipv4_address& address, std::uint16_t port);

  std::string to_sql() const;
  // The same text, in place of what out held: a writer that passes one
  // buffer for every row allocates only while that buffer grows.
  void write_sql(std::string& out) const;

  where_builder where;
  std::uint32_t limit = 0;
  std::string order_by;
  std::string group_by;

 private:
  built_text& literal_text() { return statement_kind_ == update ? columns_ : literals_; }
  // Writes the column, and returns where its literal is written, with room
  // for so many characters; end_value then ends the literal where it ends.
  char* begin_value(kept_text column, std::size_t room);
  void end_value(const char* end) { literal_text().cut(end); }
  // A literal that needs no escaping, in quotes: write(out) writes at most
  // room characters at out and returns their end.
  template <class Write>
  void add_written(kept_text column, std::size_t room, const Write& write);

  // The statement, put into its text (see statement_text.hpp).
  template <class Sink>
  void describe(Sink& sink) const;
  template <class Sink>
  void describe_where(Sink& sink) const;

  std::int32_t statement_kind_;
  std::string_view table_;
  // An insert's column names and their literals, each joined by ","; an
  // update's assignments (column=literal, ...) in the first.
  built_text columns_;
  built_text literals_;
  boost::container::small_vector<std::string_view, 4> fields_;  // select list
};

}  // namespace rovev
