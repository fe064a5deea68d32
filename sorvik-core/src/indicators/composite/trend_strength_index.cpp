#include "indicators/composite/trend_strength_index.hpp"

namespace sorvik {

Expected<TrendStrengthIndex> TrendStrengthIndex::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("period must be >= 2 for a regression"));
  if (auto err = check_max_period(period)) return fail(*err);
  return TrendStrengthIndex(period);
}

}  // namespace sorvik
