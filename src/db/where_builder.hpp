#pragma once

#include <boost/container/small_vector.hpp>
#include <cstdint>
#include <string_view>

#include "base/decimal_text.hpp"
#include "db/kept_text.hpp"

namespace rovev {

// The conditions of a WHERE clause, each written as (column=value). Like the
// statement builder, it keeps views of the column names and texts it is
// given (kept_text).
class where_builder {
 public:
  enum : std::int32_t { join_and = 0, join_or = 1 };

  virtual ~where_builder() = default;

  // A text that may hold a single quote: quoted, the quote doubled.
  void add_text(kept_text column, kept_text text) { add(column, literal::escaped).text = text; }
  // A text that holds no single quote: quoted as it is.
  void add_quoted(kept_text column, kept_text text) { add(column, literal::quoted).text = text; }
  void add_number(kept_text column, std::int64_t number) {
    add(column, literal::number).number = number;
  }

  bool empty() const { return conditions_.empty(); }

  // The clause without the word "where", put into a statement's text (see
  // statement_text.hpp).
  template <class Sink>
  void describe(Sink& sink) const {
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
      if (i != 0) sink.put(conjunction == join_and ? " and " : " or ");
      const condition& each = conditions_[i];
      sink.put('(');
      sink.put(each.column);
      sink.put('=');
      if (each.form == literal::number) {
        char digits[decimal_room];
        sink.put(std::string_view(digits, format_decimal(digits, each.number) - digits));
      } else {
        sink.put_value(each.text, true, each.form == literal::escaped);
      }
      sink.put(')');
    }
  }

  std::int32_t conjunction = join_or;

 private:
  enum class literal { escaped, quoted, number };
  struct condition {
    std::string_view column;
    literal form;
    std::string_view text;    // of a text
    std::int64_t number = 0;  // of a number
  };
  condition& add(std::string_view column, literal form) {
    conditions_.push_back({column, form, {}});
    return conditions_.back();
  }

  boost::container::small_vector<condition, 2> conditions_;
};

}  // namespace rovev
