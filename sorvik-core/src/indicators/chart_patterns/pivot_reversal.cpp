#include "indicators/chart_patterns/pivot_reversal.hpp"

namespace sorvik {

Expected<PivotReversal> PivotReversal::create(std::uint64_t left, std::uint64_t right) {
  if (left == 0 || right == 0) return fail(IndicatorError::zero_period());
  if (auto err = check_max_period(left)) return fail(*err);
  if (auto err = check_max_period(right)) return fail(*err);
  return PivotReversal(left, right);
}

}  // namespace sorvik
