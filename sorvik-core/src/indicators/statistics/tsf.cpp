#include "indicators/statistics/tsf.hpp"

namespace sorvik {

Expected<Tsf> Tsf::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("time series forecast needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return Tsf(period);
}

}  // namespace sorvik
