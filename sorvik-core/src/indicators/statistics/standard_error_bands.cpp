#include "indicators/statistics/standard_error_bands.hpp"

#include <cmath>

namespace sorvik {

Expected<StandardErrorBands> StandardErrorBands::create(std::uint64_t period, double multiplier) {
  if (period < 3) return fail(IndicatorError::invalid_period("standard error bands need period >= 3"));
  if (auto err = check_max_period(period)) return fail(*err);
  if (!std::isfinite(multiplier) || !(multiplier > 0.0)) {
    return fail(IndicatorError::non_positive_multiplier());
  }
  return StandardErrorBands(period, multiplier);
}

}  // namespace sorvik
