// Writers of detection_log and hostmove.
#include "db/database_manager.hpp"
#include "db/sql_builder.hpp"

namespace rovev {

void database_manager::add_detection_log(const detection_entry& entry) {
  require_open();
  sql_builder insert("detection_log", sql_builder::insert);
  insert.add_number("vg_list_id", entry.vg_list_id);
  insert.add_address("lladdr", entry.lladdr);
  insert.add_address("ipaddr", entry.ipaddr);
  insert.add_text("hostname", entry.hostname);
  insert.add_text("workgroup", entry.workgroup);
  insert.add_date_value("detect_time", entry.detect_time);
  insert.add_date_value("confirmed_time", entry.confirmed_time);
  insert.add_flag("regist_flag", entry.regist_flag);
  run(insert);
}

void database_manager::add_hostmove(const hostmove_entry& entry) {
  require_open();
  sql_builder insert("hostmove", sql_builder::insert);
  insert.add_number("src_vg_list_id", entry.src_vg_list_id);
  insert.add_number("dst_vg_list_id", entry.dst_vg_list_id);
  insert.add_text("name", entry.name);
  insert.add_address("lladdr", entry.lladdr);
  insert.add_address("ipaddr", entry.ipaddr);
  insert.add_text("hostname", entry.hostname);
  insert.add_text("workgroup", entry.workgroup);
  insert.add_date_value("confirmed_table", entry.confirmed_table);
  run(insert);
}

}  // namespace rovev
