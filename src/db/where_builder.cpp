#include "db/where_builder.hpp"

namespace rovev {

void append_value_text(std::string& out, std::string_view value, bool quote, bool escape) {
  if (quote) out += '\'';
  // Every single quote doubled; the runs between them go in whole.
  for (std::size_t at; escape && (at = value.find('\'')) != std::string_view::npos;) {
    out.append(value.data(), at + 1);
    out += '\'';
    value.remove_prefix(at + 1);
  }
  out += value;
  if (quote) out += '\'';
}

std::string escape_quotes(std::string_view text) {
  std::string result;
  append_value_text(result, text, false, true);
  return result;
}

void where_builder::add_condition(std::string_view column, std::string_view value, bool quote,
                                  bool escape) {
  std::string condition(column);
  condition += '=';
  append_value_text(condition, value, quote, escape);
  conditions_.push_back(std::move(condition));
}

std::string where_builder::to_sql() const {
  std::string clause;
  append_to(clause);
  return clause;
}

void where_builder::append_to(std::string& out) const {
  for (std::size_t i = 0; i < conditions_.size(); ++i) {
    if (i != 0) out += conjunction == join_and ? " and " : " or ";
    out += '(';
    out += conditions_[i];
    out += ')';
  }
}

}  // namespace rovev
