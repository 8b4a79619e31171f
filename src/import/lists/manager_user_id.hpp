#pragma once

#include <cstdint>
#include <limits>
#include <optional>

namespace rovev {

// The manager's id of an appliance user: the id moved up by 10. Nothing
// when that would leave the signed 32-bit range.
inline std::optional<std::int32_t> manager_user_id(std::int32_t user_id) {
  constexpr std::int32_t offset = 10;
  if (user_id > std::numeric_limits<std::int32_t>::max() - offset) return std::nullopt;
  return user_id + offset;
}

// The same for a group member, where the appliance's user 0 is its
// administrator, the manager's user 1.
inline std::optional<std::int32_t> member_user_id(std::int32_t user_id) {
  return user_id == 0 ? 1 : manager_user_id(user_id);
}

}  // namespace rovev
