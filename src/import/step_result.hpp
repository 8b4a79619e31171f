#pragma once

namespace rovev {

// What an import step tells the driver.
struct step_result {
  bool committed = true;  // false when a transaction of the step could not commit
};

}  // namespace rovev
