#include "import/records/detection_history_import.hpp"

#include <boost/system/system_error.hpp>
#include <fstream>

#include "app/console.hpp"
#include "db/transaction_scope.hpp"
#include "import/records/date_time_slot.hpp"
#include "import/records/history_record.hpp"
#include "import/records/history_walk.hpp"
#include "import/records/record_file.hpp"
#include "import/records/host_file_name.hpp"

namespace rovev {
namespace {

void fill_entry(const char* record, detection_entry& entry) {
  entry.lladdr = ll_addr(slot_text(record, 0));
  const std::string_view ipaddr = slot_text(record, 24);
  entry.ipaddr = ipaddr.empty() ? ipv4_address() : ipv4_from_string(ipaddr);
  entry.hostname = slot_text(record, 48);
  entry.workgroup = slot_text(record, 72);
  entry.detect_time = read_date_time(slot_text(record, 96));
  entry.confirmed_time = read_date_time(slot_text(record, 120));
  entry.regist_flag = false;
}

}  // namespace

bool import_detection_history(const boost::filesystem::path& folder, database_manager& db) {
  const transaction_scope scope(db);
  console::out("検知履歴の取り込みを開始しました: %s", console::quoted(folder));
  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;
  walk_history_folder(folder, [&](const boost::filesystem::path& file) {
    if (file.extension().string() != ".hist") return;
    const std::int32_t appliance = parse_host_file_name(file.filename().string(), ".hist");
    if (appliance == 0) return;
    ++files_found;
    std::ifstream stream;
    if (!open_record_file(file, stream)) return;
    char record[detection_record_size];
    detection_entry entry;
    while (read_detection_history_record(stream, record)) {
      try {
        fill_entry(record, entry);
        db.add_detection_log(entry, static_cast<std::uint32_t>(appliance));
        ++records_imported;
      } catch (const database_manager_error& error) {
        console::out("    [Error]: DBへの格納に失敗しました  (what: %s)", error.what());
      } catch (const boost::system::system_error& error) {
        console::out("    [Error]: 無効なIPアドレスまたはMACアドレスです  (what: %s)",
                     error.what());
      } catch (const std::exception&) {
        console::out("    [Error]: 無効なレコードが含まれています  (file: %s)", file.string());
      }
    }
  });
  console::out(
      "検知履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。",
      files_found, records_imported);
  return true;
}

}  // namespace rovev
