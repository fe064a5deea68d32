#include "indicators/statistics/median_absolute_deviation.hpp"

namespace sorvik {

Expected<MedianAbsoluteDeviation> MedianAbsoluteDeviation::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MedianAbsoluteDeviation(period);
}

}  // namespace sorvik
