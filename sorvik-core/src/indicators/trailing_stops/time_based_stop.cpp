#include "indicators/trailing_stops/time_based_stop.hpp"

namespace sorvik {

Expected<TimeBasedStop> TimeBasedStop::create(std::uint64_t bars) {
  if (bars == 0) return fail(IndicatorError::zero_period());
  return TimeBasedStop(bars);
}

}  // namespace sorvik
