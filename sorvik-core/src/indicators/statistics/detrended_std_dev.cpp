#include "indicators/statistics/detrended_std_dev.hpp"

namespace sorvik {

Expected<DetrendedStdDev> DetrendedStdDev::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("detrended stddev needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return DetrendedStdDev(period);
}

}  // namespace sorvik
