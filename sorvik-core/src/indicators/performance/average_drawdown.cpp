#include "indicators/performance/average_drawdown.hpp"

namespace sorvik {

Expected<AverageDrawdown> AverageDrawdown::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AverageDrawdown(period);
}

}  // namespace sorvik
