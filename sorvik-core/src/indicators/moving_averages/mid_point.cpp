#include "indicators/moving_averages/mid_point.hpp"

namespace sorvik {

Expected<MidPoint> MidPoint::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MidPoint(period);
}

}  // namespace sorvik
