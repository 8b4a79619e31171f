#include "import/records/detection_history_import.hpp"

#include "import/records/date_time_slot.hpp"
#include "import/records/history_import.hpp"
#include "import/records/history_record.hpp"
#include "import/records/host_file_name.hpp"

namespace rovev {
namespace {

// The slots in their order; the first that does not convert ends the record.
row_outcome fill_detection_entry(const char* record, detection_entry& entry) {
  if (!read_addresses<detection_slot>(record, entry.lladdr, entry.ipaddr)) {
    return row_outcome::bad_address;
  }
  entry.hostname = slot_text(record, detection_slot::hostname);
  entry.workgroup = slot_text(record, detection_slot::workgroup);
  entry.detect_time = read_date_time(slot_text(record, detection_slot::detect_time));
  entry.confirmed_time = read_date_time(slot_text(record, detection_slot::confirmed_time));
  entry.regist_flag = false;
  return row_outcome::written;
}

}  // namespace

step_result import_detection_history(const import_context& context,
                                     const boost::filesystem::path& folder) {
  detection_entry entry;
  const history_kind detection{
      messages::start_line{messages::detection_start},
      messages::finish_line<2>{messages::detection_finish},
      messages::progress_line<3>{messages::detection_progress},
      detection_record_size,
      [](const boost::filesystem::path& name) -> std::optional<history_file_appliance> {
        if (name.extension().string() != ".hist") return std::nullopt;
        const std::int32_t appliance = parse_host_file_name(name.string(), ".hist");
        if (appliance == 0) return std::nullopt;
        return history_file_appliance{appliance};
      },
      [&](const char* record, const history_file_appliance& appliance) {
        const row_outcome filled = fill_detection_entry(record, entry);
        if (filled == row_outcome::written) {
          entry.vg_list_id = static_cast<std::uint32_t>(appliance.id);
          context.db.add_detection_log(entry);
        }
        return filled;
      },
      std::nullopt,
      messages::bad_record_line{messages::detection_bad_record},
  };
  return import_history(context, folder, detection);
}

}  // namespace rovev
