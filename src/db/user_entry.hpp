#pragma once

#include <cstdint>
#include <string_view>

namespace rovev {

// One user of the manager, as a line of the user list gives it. The texts
// are views of the line, good while it is written.
struct user_entry {
  std::int32_t id = 0;  // the manager's id
  std::string_view login_user_name;
  std::string_view hash_password;  // empty: the administrator keeps the stored one
  std::string_view description;
};

}  // namespace rovev
