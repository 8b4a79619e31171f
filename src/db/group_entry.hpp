#pragma once

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace rovev {

// One group with its members, as a line of the group list gives it. The
// name is a view of the line, good while it is written.
struct group_entry {
  std::string_view name;
  // The appliances' ids, in the line's order, repeats kept.
  std::vector<std::uint32_t> appliance_ids;
  // Manager user id to permission (1 or 2), ascending by id.
  std::map<std::int32_t, std::int32_t> users;
};

}  // namespace rovev
