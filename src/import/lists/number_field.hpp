#pragma once

#include <boost/lexical_cast.hpp>
#include <string_view>

namespace rovev {

// The whole field as a number: an optional sign and decimal digits only,
// within the target's range; an unsigned target takes "-" modulo 2^width.
// Throws boost::bad_lexical_cast otherwise.
template <class Number>
Number to_number(std::string_view field) {
  return boost::lexical_cast<Number>(field.data(), field.size());
}

template <class Number>
bool try_to_number(std::string_view field, Number& value) {
  return boost::conversion::try_lexical_convert(field.data(), field.size(), value);
}

}  // namespace rovev
