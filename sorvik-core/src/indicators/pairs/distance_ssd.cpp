#include "indicators/pairs/distance_ssd.hpp"

namespace sorvik {

Expected<DistanceSsd> DistanceSsd::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "distance SSD needs period >= 2")) return fail(*err);
  return DistanceSsd(period);
}

}  // namespace sorvik
