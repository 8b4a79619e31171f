#include "import/end_and_report.hpp"

namespace rovev {

bool end_and_report(transaction_scope& scope, report& out) {
  const auto failure = scope.end();
  if (failure) out.out_error(messages::commit_failed, failure->what());
  return !failure;
}

}  // namespace rovev
