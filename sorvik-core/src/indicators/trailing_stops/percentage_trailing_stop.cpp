#include "indicators/trailing_stops/percentage_trailing_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<PercentageTrailingStop> PercentageTrailingStop::create(double percent) {
  if (auto err = bands::check_multiplier(percent)) return fail(*err);
  return PercentageTrailingStop(percent);
}

}  // namespace sorvik
