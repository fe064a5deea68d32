#include "indicators/statistics/rolling_percentile_rank.hpp"

namespace sorvik {

Expected<RollingPercentileRank> RollingPercentileRank::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return RollingPercentileRank(period);
}

}  // namespace sorvik
