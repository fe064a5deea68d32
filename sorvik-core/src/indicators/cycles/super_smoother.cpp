#include "indicators/cycles/super_smoother.hpp"

namespace sorvik {

Expected<SuperSmoother> SuperSmoother::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return SuperSmoother(period);
}

}  // namespace sorvik
