#include "indicators/moving_averages/generalized_dema.hpp"

namespace sorvik {

Expected<GeneralizedDema> GeneralizedDema::create(std::uint64_t period, double volume_factor) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(volume_factor) || volume_factor < 0.0 || volume_factor > 1.0) {
    return fail(IndicatorError::invalid_period("GD volume factor must be a finite value in [0.0, 1.0]"));
  }
  return GeneralizedDema(period, volume_factor);
}

}  // namespace sorvik
