#include "indicators/statistics/standard_error.hpp"

namespace sorvik {

Expected<StandardError> StandardError::create(std::uint64_t period) {
  if (period < 3) return fail(IndicatorError::invalid_period("standard error needs period >= 3"));
  if (auto err = check_max_period(period)) return fail(*err);
  return StandardError(period);
}

}  // namespace sorvik
