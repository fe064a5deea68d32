#include "indicators/trailing_stops/renko_trailing_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<RenkoTrailingStop> RenkoTrailingStop::create(double brick) {
  if (auto err = bands::check_multiplier(brick)) return fail(*err);
  return RenkoTrailingStop(brick);
}

}  // namespace sorvik
