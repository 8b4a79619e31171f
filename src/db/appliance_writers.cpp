// Writers of vg_list, host_flag and allow_list.
#include <sqlite3.h>

#include "db/database_manager.hpp"
#include "db/decimal_text.hpp"
#include "db/sql_builder.hpp"

namespace rovev {
namespace {

int set_found(void* found, int, char**, char**) {
  *static_cast<bool*>(found) = true;
  return 0;
}

}  // namespace

bool database_manager::add_appliance(std::string_view id, const ll_addr& lladdr,
                                     std::string_view name, const ipv4_address& address,
                                     std::uint16_t port, const ipv4_address& netaddr, bool nat) {
  require_open();
  std::string ipaddr(to_text(address));
  ipaddr += ':';
  append_decimal(ipaddr, port);

  sql_builder insert("vg_list", sql_builder::insert);
  insert.add_value("name", name, true, true);
  insert.add_value("ipaddr", ipaddr, true, false);
  insert.add_value("id", id, false, false);
  insert.add_value("lladdr", lladdr.to_text(), true, false);
  insert.add_value("netaddr", to_text(netaddr), true, false);
  insert.add_value("nat", nat ? "1" : "0", false, false);
  insert.add_value("created", "datetime('now', 'localtime')", false, false);
  exec(insert.to_sql());
  return true;
}

bool database_manager::add_host_flag(const ll_addr& lladdr, bool segment_flag) {
  require_open();
  const ll_addr::text_buffer address = lladdr.to_text();

  sql_builder select("host_flag", sql_builder::select);
  select.add_field("lladdr");
  select.where.add_condition("lladdr", address, true, false);
  bool found = false;
  exec(select.to_sql(), set_found, &found);
  if (found) return true;

  sql_builder insert("host_flag", sql_builder::insert);
  insert.add_value("segment_flag", segment_flag ? "1" : "0", false, false);
  insert.add_value("lladdr", address, true, false);
  exec(insert.to_sql());
  return true;
}

bool database_manager::add_host(const host_entry& entry, std::int32_t vg_list_id) {
  require_open();
  try {
    add_host_flag(entry.lladdr, entry.segment_flag);
  } catch (const database_manager_error& error) {
    // Only a lack of memory or a disk failure stops the PC; without its
    // host_flag row it is still registered.
    if (error.code() == db_resource) throw;
  }

  sql_builder insert("allow_list", sql_builder::insert);
  insert.add_value("vg_list_id", decimal_text(static_cast<std::uint32_t>(vg_list_id)), false,
                   false);
  insert.add_value("org_vg_list_id", decimal_text(static_cast<std::uint32_t>(entry.org_vg_list_id)),
                   false, false);
  insert.add_value("lladdr", entry.lladdr.to_text(), true, false);
  insert.add_value("name", entry.name, true, true);
  insert.add_date_value("regist_time", entry.regist_time);
  insert.add_date_value("expire_time", entry.expire_time);
  insert.add_value("hostname_flag", entry.hostname_flag ? "1" : "0", false, false);
  insert.add_value("org_ipaddr", to_text(entry.org_ipaddr), true, false);
  exec(insert.to_sql());
  return true;
}

}  // namespace rovev
