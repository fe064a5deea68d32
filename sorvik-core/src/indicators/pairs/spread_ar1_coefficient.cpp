#include "indicators/pairs/spread_ar1_coefficient.hpp"

namespace sorvik {

Expected<SpreadAr1Coefficient> SpreadAr1Coefficient::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 3, "AR(1) spread coefficient needs period >= 3")) return fail(*err);
  return SpreadAr1Coefficient(period);
}

}  // namespace sorvik
