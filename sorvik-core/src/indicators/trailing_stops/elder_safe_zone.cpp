#include "indicators/trailing_stops/elder_safe_zone.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<ElderSafeZone> ElderSafeZone::create(std::uint64_t period, double multiplier) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  return ElderSafeZone(period, multiplier);
}

}  // namespace sorvik
