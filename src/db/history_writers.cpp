// Writers of detection_log and hostmove.
#include "db/database_manager.hpp"
#include "db/decimal_text.hpp"
#include "db/sql_builder.hpp"

namespace rovev {

bool database_manager::add_detection_log(const detection_entry& entry, std::uint32_t vg_list_id) {
  require_open();
  sql_builder insert("detection_log", sql_builder::insert);
  insert.add_value("vg_list_id", decimal_text(vg_list_id), false, false);
  insert.add_value("lladdr", entry.lladdr.to_text(), true, false);
  insert.add_value("ipaddr", to_text(entry.ipaddr), true, false);
  insert.add_value("hostname", entry.hostname, true, true);
  insert.add_value("workgroup", entry.workgroup, true, true);
  insert.add_date_value("detect_time", entry.detect_time);
  insert.add_date_value("confirmed_time", entry.confirmed_time);
  insert.add_value("regist_flag", entry.regist_flag ? "1" : "0", false, false);
  exec(insert.to_sql());
  return true;
}

bool database_manager::add_hostmove(const ll_addr& lladdr, const ipv4_address& ipaddr,
                                    std::uint32_t src_vg_list_id, std::uint32_t dst_vg_list_id,
                                    std::string_view name, std::string_view hostname,
                                    std::string_view workgroup,
                                    const boost::posix_time::ptime& confirmed_table) {
  require_open();
  sql_builder insert("hostmove", sql_builder::insert);
  insert.add_value("src_vg_list_id", decimal_text(src_vg_list_id), false, false);
  insert.add_value("dst_vg_list_id", decimal_text(dst_vg_list_id), false, false);
  insert.add_value("name", name, true, true);
  insert.add_value("lladdr", lladdr.to_text(), true, false);
  insert.add_value("ipaddr", to_text(ipaddr), true, false);
  insert.add_value("hostname", hostname, true, true);
  insert.add_value("workgroup", workgroup, true, true);
  insert.add_date_value("confirmed_table", confirmed_table);
  exec(insert.to_sql());
  return true;
}

}  // namespace rovev
