#include "indicators/demark/td_risk_level.hpp"

namespace sorvik {

Expected<TdRiskLevel> TdRiskLevel::create(std::uint64_t lookback, std::uint64_t length) {
  if (lookback == 0 || length == 0) return fail(IndicatorError::zero_period());
  return TdRiskLevel(lookback, length);
}

}  // namespace sorvik
