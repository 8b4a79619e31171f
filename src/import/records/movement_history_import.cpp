#include "import/records/movement_history_import.hpp"

#include "base/number_field.hpp"
#include "import/records/date_time_slot.hpp"
#include "import/records/history_import.hpp"
#include "import/records/history_record.hpp"

namespace rovev {
namespace {

// The slots in their order; the first that does not convert ends the record.
void write_movement_row(const char* record, database_manager& db) {
  namespace slot = movement_slot;
  const ll_addr lladdr(slot_text(record, slot::lladdr));
  const std::string_view name = slot_text(record, slot::name, slot::name_width);
  const std::string_view ip_text = slot_text(record, slot::ipaddr);
  const ipv4_address ipaddr = ip_text.empty() ? ipv4_address() : ipv4_from_string(ip_text);
  const std::string_view hostname = slot_text(record, slot::hostname);
  const std::string_view workgroup = slot_text(record, slot::workgroup);
  const auto source = to_number<std::int32_t>(slot_text(record, slot::source));
  const auto destination = to_number<std::int32_t>(slot_text(record, slot::destination));
  const date_time confirmed = read_date_time(slot_text(record, slot::confirmed_table));
  db.add_hostmove(lladdr, ipaddr, static_cast<std::uint32_t>(source),
                  static_cast<std::uint32_t>(destination), name, hostname, workgroup, confirmed);
}

}  // namespace

step_result import_movement_history(input_files& files, const boost::filesystem::path& folder,
                                    database_manager& db, report& out) {
  const history_kind movement{
      messages::movement_start,
      messages::movement_finish,
      messages::movement_progress,
      movement_record_size,
      [](const boost::filesystem::path& name) -> std::optional<history_file_appliance> {
        if (name != "hostmove.hist") return std::nullopt;
        return history_file_appliance{};
      },
      [&](const char* record, const history_file_appliance&) { write_movement_row(record, db); },
      messages::movement_bad_number,
      messages::movement_bad_record,
  };
  return import_history(folder, db, files, out, movement);
}

}  // namespace rovev
