#include "import/records/movement_history_import.hpp"

#include "base/number_field.hpp"
#include "import/records/date_time_slot.hpp"
#include "import/records/history_import.hpp"
#include "import/records/history_record.hpp"

namespace rovev {
namespace {

// The slots in their order; the first that does not convert ends the record.
void fill_entry(const char* record, hostmove_entry& entry) {
  namespace slot = movement_slot;
  entry.lladdr = ll_addr(slot_text(record, slot::lladdr));
  entry.name = slot_text(record, slot::name, slot::name_width);
  const std::string_view ipaddr = slot_text(record, slot::ipaddr);
  entry.ipaddr = ipaddr.empty() ? ipv4_address() : ipv4_from_string(ipaddr);
  entry.hostname = slot_text(record, slot::hostname);
  entry.workgroup = slot_text(record, slot::workgroup);
  // The appliances' numbers are signed; their columns take the same 32 bits.
  entry.src_vg_list_id =
      static_cast<std::uint32_t>(to_number<std::int32_t>(slot_text(record, slot::source)));
  entry.dst_vg_list_id =
      static_cast<std::uint32_t>(to_number<std::int32_t>(slot_text(record, slot::destination)));
  entry.confirmed_table = read_date_time(slot_text(record, slot::confirmed_table));
}

}  // namespace

step_result import_movement_history(const import_context& context,
                                    const boost::filesystem::path& folder) {
  hostmove_entry entry;
  const history_kind movement{
      messages::movement_start,
      messages::movement_finish,
      messages::movement_progress,
      movement_record_size,
      [](const boost::filesystem::path& name) -> std::optional<history_file_appliance> {
        if (name != "hostmove.hist") return std::nullopt;
        return history_file_appliance{};
      },
      [&](const char* record, const history_file_appliance&) {
        fill_entry(record, entry);
        context.db.add_hostmove(entry);
      },
      messages::movement_bad_number,
      messages::movement_bad_record,
  };
  return import_history(context, folder, movement);
}

}  // namespace rovev
