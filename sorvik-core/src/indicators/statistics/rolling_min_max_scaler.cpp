#include "indicators/statistics/rolling_min_max_scaler.hpp"

namespace sorvik {

Expected<RollingMinMaxScaler> RollingMinMaxScaler::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("min-max scaler needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return RollingMinMaxScaler(period);
}

}  // namespace sorvik
