#include "import/commit_report.hpp"

namespace rovev {

void end_and_report(transaction_scope& scope, report& out) {
  if (const auto failure = scope.end()) out.error(messages::commit_failed, failure->what());
}

}  // namespace rovev
