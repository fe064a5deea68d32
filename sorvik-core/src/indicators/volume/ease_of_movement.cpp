#include "indicators/volume/ease_of_movement.hpp"

namespace sorvik {

Expected<EaseOfMovement> EaseOfMovement::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return EaseOfMovement(period);
}

}  // namespace sorvik
