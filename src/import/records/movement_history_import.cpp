#include "import/records/movement_history_import.hpp"

#include "base/number_field.hpp"
#include "import/records/date_time_slot.hpp"
#include "import/records/history_import.hpp"
#include "import/records/history_record.hpp"

namespace rovev {
namespace {

// The slots in their order; the first that does not convert ends the record.
row_outcome fill_hostmove_entry(const char* record, hostmove_entry& entry) {
  using slot = movement_slot;
  // The name lies between the two addresses and cannot fail.
  if (!read_addresses<slot>(record, entry.lladdr, entry.ipaddr)) return row_outcome::bad_address;
  entry.name = slot_text(record, slot::name);
  entry.hostname = slot_text(record, slot::hostname);
  entry.workgroup = slot_text(record, slot::workgroup);
  // The appliances' numbers are signed; their columns take the same 32 bits.
  std::int32_t source;
  std::int32_t destination;
  if (!try_to_number(slot_text(record, slot::source), source) ||
      !try_to_number(slot_text(record, slot::destination), destination)) {
    return row_outcome::bad_number;
  }
  entry.src_vg_list_id = static_cast<std::uint32_t>(source);
  entry.dst_vg_list_id = static_cast<std::uint32_t>(destination);
  entry.confirmed_table = read_date_time(slot_text(record, slot::confirmed_table));
  return row_outcome::written;
}

}  // namespace

step_result import_movement_history(const import_context& context,
                                    const boost::filesystem::path& folder) {
  hostmove_entry entry;
  const history_kind movement{
      messages::start_line{messages::movement_start},
      messages::finish_line<2>{messages::movement_finish},
      messages::progress_line<3>{messages::movement_progress},
      movement_record_size,
      [](const boost::filesystem::path& name) -> std::optional<history_file_appliance> {
        if (name != "hostmove.hist") return std::nullopt;
        return history_file_appliance{};
      },
      [&](const char* record, const history_file_appliance&) {
        const row_outcome filled = fill_hostmove_entry(record, entry);
        if (filled == row_outcome::written) context.db.add_hostmove(entry);
        return filled;
      },
      messages::bad_number_line{messages::movement_bad_number},
      messages::bad_record_line{messages::movement_bad_record},
  };
  return import_history(context, folder, movement);
}

}  // namespace rovev
