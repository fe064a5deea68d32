#include "indicators/statistics/rolling_iqr.hpp"

namespace sorvik {

Expected<RollingIqr> RollingIqr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return RollingIqr(period);
}

}  // namespace sorvik
