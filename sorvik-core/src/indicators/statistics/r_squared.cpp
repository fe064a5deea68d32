#include "indicators/statistics/r_squared.hpp"

namespace sorvik {

Expected<RSquared> RSquared::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("R² needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return RSquared(period);
}

}  // namespace sorvik
