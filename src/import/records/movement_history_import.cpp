#include "import/records/movement_history_import.hpp"

#include <boost/system/system_error.hpp>
#include <fstream>

#include "app/console.hpp"
#include "db/transaction_scope.hpp"
#include "import/number_field.hpp"
#include "import/records/date_time_slot.hpp"
#include "import/records/history_record.hpp"
#include "import/records/history_walk.hpp"
#include "import/records/record_file.hpp"

namespace rovev {
namespace {

// Converts the record's slots in their order; the first failure ends it.
void import_record(const char* record, database_manager& db) {
  const ll_addr lladdr(slot_text(record, 0));
  const std::string_view name = slot_text(record, 24, 48);
  const std::string_view ip_text = slot_text(record, 72);
  const ipv4_address ipaddr = ip_text.empty() ? ipv4_address() : ipv4_from_string(ip_text);
  const std::string_view hostname = slot_text(record, 96);
  const std::string_view workgroup = slot_text(record, 120);
  const auto source = to_number<std::int32_t>(slot_text(record, 144));
  const auto destination = to_number<std::int32_t>(slot_text(record, 168));
  const boost::posix_time::ptime confirmed = read_date_time(slot_text(record, 192));
  db.add_hostmove(lladdr, ipaddr, static_cast<std::uint32_t>(source),
                  static_cast<std::uint32_t>(destination), name, hostname, workgroup, confirmed);
}

}  // namespace

bool import_movement_history(const boost::filesystem::path& folder, database_manager& db) {
  const transaction_scope scope(db);
  console::out("移動履歴の取り込みを開始しました: %s", console::quoted(folder));
  std::uint32_t files_found = 0;
  std::uint32_t records_imported = 0;
  walk_history_folder(folder, [&](const boost::filesystem::path& file) {
    if (file.filename().string() != "hostmove.hist") return;
    ++files_found;
    std::ifstream stream;
    if (!open_record_file(file, stream)) return;
    char record[movement_record_size];
    while (read_movement_history_record(stream, record)) {
      try {
        import_record(record, db);
        ++records_imported;
      } catch (const database_manager_error& error) {
        console::out("    [Error]: DBへの格納に失敗しました  (what: %s)", error.what());
      } catch (const boost::system::system_error& error) {
        console::out("    [Error]: 無効なIPアドレスまたはMACアドレスです  (what: %s)",
                     error.what());
      } catch (const boost::bad_lexical_cast& error) {
        console::out("    [Error]: IDの変換に失敗しました  (what: %s)", error.what());
      } catch (const std::exception&) {
        console::out("    [Error]: フォーマットエラーです  (file: %s)", file.string());
      }
    }
  });
  console::out(
      "移動履歴の取り込みが完了しました。%u個のファイルが見つかり、%u件の履歴を取り込みました。",
      files_found, records_imported);
  return true;
}

}  // namespace rovev
