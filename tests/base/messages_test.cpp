// Every template of the catalogue formats with as many values as its entry
// says: a placeholder typo fails here, not in the middle of an import. The
// list is the catalogue's own, so a new message cannot be left out.
#include "base/messages.hpp"

#include <gtest/gtest.h>

#include <boost/format.hpp>
#include <string>
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

TEST(messages, every_template_takes_the_values_its_entry_says) {
#define ROVEV_EXPECT_FORMATS(name, arity, text) expect_formats(messages::name);
  ROVEV_MESSAGES(ROVEV_EXPECT_FORMATS)
#undef ROVEV_EXPECT_FORMATS
}

}  // namespace
}  // namespace rovev
