#pragma once

#include "base/report.hpp"
#include "db/transaction_scope.hpp"

namespace rovev {

// Ends a step's transaction and reports a COMMIT that failed, after the
// lines of the work it would have committed. False when it failed: the
// rows written in the scope are lost.
bool end_and_report(transaction_scope& scope, report& out);

}  // namespace rovev
