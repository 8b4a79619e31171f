// Every template of the catalogue formats with as many values as its type
// says: a placeholder typo fails here, not in the middle of an import.
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

template <std::size_t... Arity>
void expect_all_format(messages::message<Arity>... catalogue) {
  (expect_formats(catalogue), ...);
}

TEST(messages, every_template_takes_the_values_its_type_says) {
  using namespace messages;
  expect_all_format(version_banner, version_maker, folder_missing, database_missing,
                    database_unopenable, aborted_by_database, aborted_unexpectedly, commit_failed,
                    cannot_read_file, appliance_list_start, appliance_list_finish, user_list_start,
                    user_list_finish, group_list_start, group_list_finish, line_too_long,
                    line_not_cp932, line_column_count, line_store_failed, line_bad_address,
                    line_bad_id, line_bad_user_id, line_marked_as_error, pcs_start, pcs_finish,
                    detection_start, detection_finish, movement_start, movement_finish,
                    store_failed, file_system_error, bad_address, detection_bad_record,
                    movement_bad_number, movement_bad_record, damaged_record);
}

}  // namespace
}  // namespace rovev
