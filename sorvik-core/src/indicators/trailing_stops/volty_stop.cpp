#include "indicators/trailing_stops/volty_stop.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<VoltyStop> VoltyStop::create(std::uint64_t period, double multiplier) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  return VoltyStop(period, multiplier);
}

}  // namespace sorvik
