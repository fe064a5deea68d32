#include "indicators/trailing_stops/kase_dev_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<KaseDevStop> KaseDevStop::create(std::uint64_t period, double multiplier) {
  if (period < 2) return fail(IndicatorError::invalid_period("Kase DevStop period must be >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  return KaseDevStop(period, multiplier);
}

}  // namespace sorvik
