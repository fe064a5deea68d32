#include "indicators/composite/elder_ray.hpp"

namespace sorvik {

Expected<ElderRay> ElderRay::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return ElderRay(period);
}

}  // namespace sorvik
