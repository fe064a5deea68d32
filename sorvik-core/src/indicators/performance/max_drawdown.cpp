#include "indicators/performance/max_drawdown.hpp"

namespace sorvik {

Expected<MaxDrawdown> MaxDrawdown::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return MaxDrawdown(period);
}

}  // namespace sorvik
