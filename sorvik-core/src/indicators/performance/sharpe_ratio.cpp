#include "indicators/performance/sharpe_ratio.hpp"

namespace sorvik {

Expected<SharpeRatio> SharpeRatio::create(std::uint64_t period, double risk_free) {
  if (period < 2) return fail(IndicatorError::invalid_period("sharpe ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return SharpeRatio(period, risk_free);
}

}  // namespace sorvik
