#include "indicators/derivatives_breadth/breadth_thrust.hpp"

namespace sorvik {

Expected<BreadthThrust> BreadthThrust::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return BreadthThrust(period);
}

}  // namespace sorvik
