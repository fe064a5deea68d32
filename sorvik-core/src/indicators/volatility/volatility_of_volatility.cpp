#include "indicators/volatility/volatility_of_volatility.hpp"

namespace sorvik {

Expected<VolatilityOfVolatility> VolatilityOfVolatility::create(std::uint64_t vol_window,
                                                                std::uint64_t window_of_vols) {
  if (vol_window == 0 || window_of_vols == 0) return fail(IndicatorError::zero_period());
  if (vol_window < 2 || window_of_vols < 2) {
    return fail(IndicatorError::invalid_period("vol-of-vol windows must both be >= 2"));
  }
  return VolatilityOfVolatility(vol_window, window_of_vols);
}

}  // namespace sorvik
