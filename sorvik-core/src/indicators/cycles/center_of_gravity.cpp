#include "indicators/cycles/center_of_gravity.hpp"

namespace sorvik {

Expected<CenterOfGravity> CenterOfGravity::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return CenterOfGravity(period);
}

}  // namespace sorvik
