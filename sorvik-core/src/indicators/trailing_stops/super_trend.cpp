#include "indicators/trailing_stops/super_trend.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<SuperTrend> SuperTrend::create(std::uint64_t period, double multiplier) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  return SuperTrend(period, multiplier);
}

}  // namespace sorvik
