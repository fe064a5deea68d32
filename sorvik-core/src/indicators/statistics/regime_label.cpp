#include "indicators/statistics/regime_label.hpp"

namespace sorvik {

Expected<RegimeLabel> RegimeLabel::create(std::uint64_t vol_period, std::uint64_t lookback) {
  if (vol_period < 2) return fail(IndicatorError::invalid_period("regime label needs vol_period >= 2"));
  if (auto err = check_max_period(vol_period)) return fail(*err);
  if (lookback < 2) return fail(IndicatorError::invalid_period("regime label needs lookback >= 2"));
  if (auto err = check_max_period(lookback)) return fail(*err);
  return RegimeLabel(vol_period, lookback);
}

}  // namespace sorvik
