#include "import/lists/appliance_list_import.hpp"

#include <boost/system/system_error.hpp>

#include "base/number_field.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/lists/list_file_reader.hpp"

namespace rovev {
namespace {

struct appliance_line {
  std::string_view name;
  address_and_port address{};
  std::string_view id_text;
  std::uint32_t id = 0;
  ll_addr lladdr;
  ipv4_address netaddr;
  bool nat = false;
};

// Converts the field of its column into the line's values.
void take_field(appliance_line& values, std::size_t column, std::string_view field) {
  switch (column) {
    case 1:
      values.name = field;
      break;
    case 2:
      values.address = parse_address_and_port(field);
      break;
    case 3:
      values.id_text = field;
      values.id = to_number<std::uint32_t>(field);
      break;
    case 4: {
      // An empty field and the word INVALID stand for the all-zero address.
      const bool zero = field.empty() || field == "INVALID";
      values.lladdr = ll_addr(zero ? std::string_view("00:00:00:00:00:00") : field);
      break;
    }
    case 5:
      values.netaddr = field.empty() ? ipv4_address() : ipv4_from_string(field);
      break;
    case 6:
      values.nat = field == "nat";
      break;
  }
}

bool import_appliance_line(database_manager& db, appliance_id_map& appliance_ids,
                           const list_line& line, report& out) {
  appliance_line values;
  for (std::size_t column = 1; column <= line.fields.size(); ++column) {
    try {
      take_field(values, column, line.fields[column - 1]);
    } catch (const boost::system::system_error& error) {
      out.out_error(messages::line_bad_address, line.number, error.code().message());
      return false;
    } catch (const boost::bad_lexical_cast&) {
      out.out_error(messages::line_bad_id, line.number, messages::not_a_number);
      return false;
    }
  }
  if (line.field_count != 6) {
    out.out_error(messages::line_column_count, line.number);
    return false;
  }
  // The entry stays even when the row is refused below.
  appliance_ids[values.netaddr] = values.id;
  try {
    return db.add_appliance(values.id_text, values.lladdr, values.name, values.address.address,
                            values.address.port, values.netaddr, values.nat);
  } catch (const database_manager_error& error) {
    out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_appliance_list(database_manager& db, input_files& files,
                                  const boost::filesystem::path& file,
                                  appliance_id_map& appliance_ids, report& out) {
  transaction_scope scope(db);
  import_list_file(files, file,
                   {messages::appliance_list_start, messages::appliance_list_finish,
                    messages::appliance_list_progress},
                   out, [&](const list_line& line) {
                     return import_appliance_line(db, appliance_ids, line, out);
                   });
  return {end_and_report(scope, out)};
}

}  // namespace rovev
