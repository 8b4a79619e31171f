#include "import/records/host_file_name.hpp"

#include <boost/spirit/include/qi.hpp>
#include <string>

namespace rovev {

std::int32_t parse_host_file_name(std::string_view file_name, std::string_view suffix) {
  namespace qi = boost::spirit::qi;
  namespace ascii = boost::spirit::ascii;
  const qi::int_parser<std::int32_t, 10, 1, -1> number;
  const std::string suffix_text(suffix);
  auto first = file_name.begin();
  std::int32_t value = 0;
  const bool matched = qi::parse(
      first, file_name.end(),
      ascii::no_case[qi::lit("host_")] >> number >> ascii::no_case[qi::lit(suffix_text)], value);
  return matched ? value : 0;
}

}  // namespace rovev
