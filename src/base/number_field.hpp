#pragma once

#include <boost/lexical_cast.hpp>
#include <cstdint>
#include <limits>
#include <string_view>
#include <type_traits>

namespace rovev {

// The whole field as a number: an optional sign and decimal digits only,
// within the target's range; an unsigned target takes "-" modulo 2^width.
template <class Number>
bool try_to_number(std::string_view field, Number& value) {
  if constexpr (std::is_unsigned_v<Number> && sizeof(Number) < sizeof(unsigned)) {
    // Boost's converter multiplies types narrower than int after promotion to
    // int, which overflows on some texts; read them through 32 bits instead.
    const bool negative = !field.empty() && field.front() == '-';
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) field.remove_prefix(1);
    std::uint32_t magnitude;
    if (field.empty() || field.front() < '0' || field.front() > '9' ||
        !boost::conversion::try_lexical_convert(field.data(), field.size(), magnitude) ||
        magnitude > std::numeric_limits<Number>::max()) {
      return false;
    }
    value = static_cast<Number>(negative ? 0u - magnitude : magnitude);
    return true;
  } else {
    return boost::conversion::try_lexical_convert(field.data(), field.size(), value);
  }
}

// The same, throwing boost::bad_lexical_cast when the field is no number.
template <class Number>
Number to_number(std::string_view field) {
  Number value;
  if (!try_to_number(field, value)) throw boost::bad_lexical_cast();
  return value;
}

}  // namespace rovev
