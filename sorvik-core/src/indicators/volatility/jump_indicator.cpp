#include "indicators/volatility/jump_indicator.hpp"

namespace sorvik {

Expected<JumpIndicator> JumpIndicator::create(std::uint64_t period, double threshold) {
  if (period == 0) return fail(IndicatorError::zero_period());
  if (period < 2) return fail(IndicatorError::invalid_period("jump indicator needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  if (!(std::isfinite(threshold) && threshold > 0.0)) {
    return fail(IndicatorError::invalid_parameter("jump indicator threshold must be finite and positive"));
  }
  return JumpIndicator(period, threshold);
}

}  // namespace sorvik
