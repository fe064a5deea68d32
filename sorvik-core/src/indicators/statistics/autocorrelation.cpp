#include "indicators/statistics/autocorrelation.hpp"

namespace sorvik {

Expected<Autocorrelation> Autocorrelation::create(std::uint64_t period, std::uint64_t lag) {
  if (lag < 1) return fail(IndicatorError::invalid_period("autocorrelation lag must be >= 1"));
  if (period <= lag) return fail(IndicatorError::invalid_period("autocorrelation needs period > lag"));
  return Autocorrelation(period, lag);
}

}  // namespace sorvik
