#include "indicators/statistics/kurtosis.hpp"

namespace sorvik {

Expected<Kurtosis> Kurtosis::create(std::uint64_t period) {
  if (period < 4) return fail(IndicatorError::invalid_period("kurtosis needs period >= 4"));
  if (auto err = check_max_period(period)) return fail(*err);
  return Kurtosis(period);
}

}  // namespace sorvik
