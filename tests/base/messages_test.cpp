// Every template of the catalogue formats with as many values as its entry
// says: a placeholder typo fails here, not in the middle of an import. The
// list is the catalogue's own, so a new message cannot be left out.
#include "base/messages.hpp"

#include <gtest/gtest.h>

#include <boost/format.hpp>
#include <string>
#include <type_traits>
#include <utility>

namespace rovev {
namespace {

template <std::size_t Arity, std::size_t... Index>
std::string formatted(messages::message<Arity> message, std::index_sequence<Index...>) {
  boost::format text{std::string(message.text)};
  (void)(text % ... % (static_cast<void>(Index), "v"));
  return text.str();
}

template <std::size_t Arity>
void expect_formats(messages::message<Arity> message) {
  EXPECT_NO_THROW(formatted(message, std::make_index_sequence<Arity>())) << message.text;
}

// A step's lines are made by their role's name: a bare message, or one of
// another role, does not take a role's place.
static_assert(!std::is_convertible_v<messages::message<1>, messages::start_line> &&
              !std::is_convertible_v<messages::bad_record_line, messages::start_line> &&
              !std::is_convertible_v<messages::finish_line<1>, messages::start_line>);

TEST(messages, every_template_takes_the_values_its_entry_says) {
#define ROVEV_EXPECT_FORMATS(name, arity, text) expect_formats(messages::name);
  ROVEV_MESSAGES(ROVEV_EXPECT_FORMATS)
#undef ROVEV_EXPECT_FORMATS
}

}  // namespace
}  // namespace rovev
