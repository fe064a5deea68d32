#include "indicators/trailing_stops/step_trailing_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<StepTrailingStop> StepTrailingStop::create(double step) {
  if (auto err = bands::check_multiplier(step)) return fail(*err);
  return StepTrailingStop(step);
}

}  // namespace sorvik
