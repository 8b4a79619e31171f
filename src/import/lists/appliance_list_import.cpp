#include "import/lists/appliance_list_import.hpp"

#include "base/number_field.hpp"
#include "db/transaction_scope.hpp"
#include "import/end_and_report.hpp"
#include "import/lists/list_file_reader.hpp"

namespace rovev {
namespace {

// name, address[:port], id, MAC, network address, "nat".
enum class appliance_column { name, address, id, lladdr, netaddr, nat, last = nat };
constexpr list_layout<appliance_column, 6> appliance_list{
    {messages::start_line{messages::appliance_list_start},
     messages::finish_line<1>{messages::appliance_list_finish},
     messages::progress_line<2>{messages::appliance_list_progress}}};

// What a field may be: good, or no address, or no number.
enum class field_outcome { taken, bad_address, bad_number };

// Converts the field of its column into the entry; the id is also kept as a
// number, the value of the appliance map's key.
field_outcome take_field(appliance_entry& entry, std::uint32_t& id, appliance_column column,
                         std::string_view field) {
  switch (column) {
    case appliance_column::name:
      entry.name = field;
      break;
    case appliance_column::address: {
      const auto address = parse_address_and_port(field);
      if (!address) return field_outcome::bad_address;
      entry.ipaddr = address->address;
      entry.port = address->port;
      break;
    }
    case appliance_column::id:
      entry.id = field;
      if (!try_to_number(field, id)) return field_outcome::bad_number;
      break;
    case appliance_column::lladdr: {
      // An empty field and the word INVALID stand for the all-zero address.
      const auto lladdr = ll_addr::from_text(field == "INVALID" ? std::string_view() : field);
      if (!lladdr) return field_outcome::bad_address;
      entry.lladdr = *lladdr;
      break;
    }
    case appliance_column::netaddr: {
      const auto netaddr = field.empty() ? std::optional(ipv4_address()) : ipv4_from_text(field);
      if (!netaddr) return field_outcome::bad_address;
      entry.netaddr = *netaddr;
      break;
    }
    case appliance_column::nat:
      entry.nat = field == "nat";
      break;
  }
  return field_outcome::taken;
}

bool import_appliance_line(const import_context& context, const list_line& line) {
  report& out = context.out;
  appliance_entry entry;
  std::uint32_t id = 0;
  field_outcome outcome = field_outcome::taken;
  appliance_list.take_fields(line, [&](appliance_column column, std::string_view field) {
    outcome = take_field(entry, id, column, field);
    return outcome == field_outcome::taken;
  });
  switch (outcome) {
    case field_outcome::taken:
      break;
    case field_outcome::bad_address:
      out.out_error(messages::line_bad_address, line.number, invalid_address_text());
      return false;
    case field_outcome::bad_number:
      out.out_error(messages::line_bad_id, line.number, messages::not_a_number);
      return false;
  }
  if (line.field_count != appliance_list.columns) {
    out.out_error(messages::line_column_count, line.number);
    return false;
  }
  // The entry stays even when the row is refused below.
  context.appliance_ids[entry.netaddr] = id;
  try {
    context.db.add_appliance(entry);
    return true;
  } catch (const database_manager_error& error) {
    out.out_error(messages::line_store_failed, line.number, error.what());
    return false;
  }
}

}  // namespace

step_result import_appliance_list(const import_context& context,
                                  const boost::filesystem::path& file) {
  transaction_scope scope(context.db);
  import_list_file(context.files, file, appliance_list.lines, context.out,
                   [&](const list_line& line) { return import_appliance_line(context, line); });
  return {end_and_report(scope, context.out)};
}

}  // namespace rovev
