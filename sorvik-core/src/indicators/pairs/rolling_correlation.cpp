#include "indicators/pairs/rolling_correlation.hpp"

namespace sorvik {

Expected<RollingCorrelation> RollingCorrelation::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "rolling correlation needs period >= 2")) return fail(*err);
  return RollingCorrelation(period);
}

}  // namespace sorvik
