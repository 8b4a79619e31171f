// Writers of vg_list, host_flag and allow_list.
#include "db/database_manager.hpp"
#include "db/sql_builder.hpp"

namespace rovev {

void database_manager::add_appliance(const appliance_entry& entry) {
  require_open();
  sql_builder insert("vg_list", sql_builder::insert);
  insert.add_text("name", entry.name);
  insert.add_address("ipaddr", entry.ipaddr, entry.port);
  insert.add_token("id", entry.id);
  insert.add_address("lladdr", entry.lladdr);
  insert.add_address("netaddr", entry.netaddr);
  insert.add_flag("nat", entry.nat);
  insert.add_token("created", "datetime('now', 'localtime')");
  run(insert);
}

void database_manager::add_host_flag(const ll_addr& lladdr, bool segment_flag) {
  require_open();
  const ll_addr::text_buffer address = lladdr.to_text();

  sql_builder select("host_flag", sql_builder::select);
  select.add_field("lladdr");
  select.where.add_quoted("lladdr", address);
  if (any_row(select)) return;

  sql_builder insert("host_flag", sql_builder::insert);
  insert.add_flag("segment_flag", segment_flag);
  insert.add_quoted("lladdr", address);
  run(insert);
}

void database_manager::add_host(const host_entry& entry) {
  require_open();
  try {
    add_host_flag(entry.lladdr, entry.segment_flag);
  } catch (const database_manager_error& error) {
    // Only a lack of memory or a disk failure stops the PC; without its
    // host_flag row it is still registered.
    if (error.code() == db_resource) throw;
  }

  sql_builder insert("allow_list", sql_builder::insert);
  insert.add_number("vg_list_id", entry.vg_list_id);
  insert.add_number("org_vg_list_id", entry.org_vg_list_id);
  insert.add_address("lladdr", entry.lladdr);
  insert.add_text("name", entry.name);
  insert.add_date_value("regist_time", entry.regist_time);
  insert.add_date_value("expire_time", entry.expire_time);
  insert.add_flag("hostname_flag", entry.hostname_flag);
  insert.add_address("org_ipaddr", entry.org_ipaddr);
  run(insert);
}

}  // namespace rovev
