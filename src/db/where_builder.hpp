#pragma once

#include <boost/container/small_vector.hpp>
#include <cstdint>
#include <string>
#include <string_view>

#include "db/kept_text.hpp"

namespace rovev {

// The conditions of a WHERE clause, each written as (column=value). Like the
// statement builder, it keeps views of the column names and values it is
// given (kept_text).
class where_builder {
 public:
  enum : std::int32_t { join_and = 0, join_or = 1 };

  virtual ~where_builder() = default;

  void add_condition(kept_text column, kept_text value, bool quote, bool escape);

  // The clause without the word "where"; empty when there is no condition.
  std::string to_sql() const;
  bool empty() const { return conditions_.empty(); }

  // The clause, put into a statement's text (see statement_text.hpp).
  template <class Sink>
  void describe(Sink& sink) const {
    for (std::size_t i = 0; i < conditions_.size(); ++i) {
      if (i != 0) sink.put(conjunction == join_and ? " and " : " or ");
      const condition& each = conditions_[i];
      sink.put('(');
      sink.put(each.column);
      sink.put('=');
      sink.put_value(each.value, each.quote, each.escape);
      sink.put(')');
    }
  }

  std::int32_t conjunction = join_or;

 private:
  struct condition {
    std::string_view column;
    std::string_view value;
    bool quote;
    bool escape;
  };
  boost::container::small_vector<condition, 2> conditions_;
};

// Doubles every single quote.
std::string escape_quotes(std::string_view text);

}  // namespace rovev
