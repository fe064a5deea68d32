#include "indicators/trailing_stops/yoyo_exit.hpp"

#include "indicators/bands/band_helpers.hpp"

namespace sorvik {

Expected<YoyoExit> YoyoExit::create(std::uint64_t period, double multiplier) {
  if (auto err = check_period(period)) return fail(*err);
  if (auto err = bands::check_multiplier(multiplier)) return fail(*err);
  return YoyoExit(period, multiplier);
}

}  // namespace sorvik
