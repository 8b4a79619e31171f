#include "db/where_builder.hpp"

#include "db/statement_text.hpp"

namespace rovev {

std::string escape_quotes(std::string_view text) {
  std::string result;
  write_text(result, [text](auto& sink) { sink.put_value(text, false, true); });
  return result;
}

void where_builder::add_condition(kept_text column, kept_text value, bool quote, bool escape) {
  conditions_.push_back({column, value, quote, escape});
}

std::string where_builder::to_sql() const {
  std::string clause;
  write_text(clause, [this](auto& sink) { describe(sink); });
  return clause;
}

}  // namespace rovev
