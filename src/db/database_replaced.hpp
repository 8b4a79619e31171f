#pragma once

#include "db/database_failure.hpp"

namespace rovev {

// The name vg.db no longer holds the file the run opened: SQLite would write
// its journal beside a file that is not its own, so the run must stop. Not a
// database_manager_error, so that no handler of one bad line or record
// takes it for one.
class database_replaced : public database_failure {
 public:
  database_replaced() noexcept
      : database_failure(-1, db_failure, "vg.db was replaced while it was opened") {}
};

}  // namespace rovev
