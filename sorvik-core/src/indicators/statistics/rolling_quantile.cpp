#include "indicators/statistics/rolling_quantile.hpp"

namespace sorvik {

Expected<RollingQuantile> RollingQuantile::create(std::uint64_t period, double quantile) {
  if (auto err = check_period(period)) return fail(*err);
  if (!(quantile >= 0.0 && quantile <= 1.0)) {
    return fail(IndicatorError::invalid_parameter("rolling quantile must be a finite value in [0.0, 1.0]"));
  }
  return RollingQuantile(period, quantile);
}

}  // namespace sorvik
