#include "indicators/pairs/rolling_covariance.hpp"

namespace sorvik {

Expected<RollingCovariance> RollingCovariance::create(std::uint64_t period) {
  if (auto err = pairs::check_min_period(period, 2, "rolling covariance needs period >= 2")) return fail(*err);
  return RollingCovariance(period);
}

}  // namespace sorvik
