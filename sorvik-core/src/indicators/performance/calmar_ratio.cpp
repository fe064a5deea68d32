#include "indicators/performance/calmar_ratio.hpp"

namespace sorvik {

Expected<CalmarRatio> CalmarRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("calmar ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return CalmarRatio(period);
}

}  // namespace sorvik
