#include "net/ll_addr.hpp"

#include <boost/spirit/include/qi.hpp>

namespace rovev {
namespace {

namespace qi = boost::spirit::qi;

const qi::uint_parser<std::uint8_t, 16, 2, 2> octet;

// The four forms, in the order in which they are tried. qi::copy keeps the
// expressions from referring to temporaries.
const auto colon_pairs =
    qi::copy(octet >> ':' >> octet >> ':' >> octet >> ':' >> octet >> ':' >> octet >> ':' >> octet);
const auto colon_halves = qi::copy(octet >> octet >> octet >> ':' >> octet >> octet >> octet);
const auto dash_pairs =
    qi::copy(octet >> '-' >> octet >> '-' >> octet >> '-' >> octet >> '-' >> octet >> '-' >> octet);
const auto dash_halves = qi::copy(octet >> octet >> octet >> '-' >> octet >> octet >> octet);

template <class Form>
bool match(const Form& form, const char*& position, const char* end,
           std::array<std::uint8_t, 6>& o) {
  const char* first = position;
  if (!qi::parse(first, end, form, o[0], o[1], o[2], o[3], o[4], o[5])) return false;
  position = first;
  return true;
}

}  // namespace

ll_addr::ll_addr(const unsigned char* raw_bytes) {
  for (std::size_t i = 0; i < octets_.size(); ++i) octets_[i] = raw_bytes[i];
}

std::optional<ll_addr> ll_addr::from_text(std::string_view text) {
  ll_addr address;
  if (!address.parse(text)) return std::nullopt;
  return address;
}

bool ll_addr::parse(std::string_view text) {
  const char* position = text.data();
  const char* const end = text.data() + text.size();
  // The first form that matches a beginning of the text is taken; the text is
  // accepted only when that match reaches its end.
  match(colon_pairs, position, end, octets_) || match(colon_halves, position, end, octets_) ||
      match(dash_pairs, position, end, octets_) || match(dash_halves, position, end, octets_);
  return position == end;
}

char* ll_addr::write_text(char* out) const {
  static constexpr char hex[] = "0123456789ABCDEF";
  for (std::size_t i = 0; i < octets_.size(); ++i) {
    if (i != 0) *out++ = ':';
    *out++ = hex[octets_[i] >> 4];
    *out++ = hex[octets_[i] & 0x0F];
  }
  return out;
}

ll_addr::text_buffer ll_addr::to_text() const {
  text_buffer text;
  write_text(text.chars.data());
  return text;
}

}  // namespace rovev
