#include "indicators/volatility/volatility_cone.hpp"

namespace sorvik {

Expected<VolatilityCone> VolatilityCone::create(std::uint64_t window, std::uint64_t lookback) {
  if (window == 0 || lookback == 0) return fail(IndicatorError::zero_period());
  if (window < 2 || lookback < 2) {
    return fail(IndicatorError::invalid_period("volatility cone window and lookback must both be >= 2"));
  }
  return VolatilityCone(window, lookback);
}

}  // namespace sorvik
