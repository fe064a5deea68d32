#include "indicators/statistics/skewness.hpp"

namespace sorvik {

Expected<Skewness> Skewness::create(std::uint64_t period) {
  if (period < 3) return fail(IndicatorError::invalid_period("skewness needs period >= 3"));
  if (auto err = check_max_period(period)) return fail(*err);
  return Skewness(period);
}

}  // namespace sorvik
