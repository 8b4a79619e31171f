#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rovev {

// The conditions of a WHERE clause, each written as (column=value).
class where_builder {
 public:
  enum : std::int32_t { join_and = 0, join_or = 1 };

  virtual ~where_builder() = default;

  void add_condition(std::string_view column, std::string_view value, bool quote, bool escape);

  // The clause without the word "where"; empty when there is no condition.
  std::string to_sql() const;
  // The same, appended to a statement.
  void append_to(std::string& out) const;
  bool empty() const { return conditions_.empty(); }

  std::int32_t conjunction = join_or;

 private:
  std::vector<std::string> conditions_;
};

// Doubles every single quote.
std::string escape_quotes(std::string_view text);

// Appends the value as a literal: escaped and single-quoted as asked.
void append_value_text(std::string& out, std::string_view value, bool quote, bool escape);

}  // namespace rovev
