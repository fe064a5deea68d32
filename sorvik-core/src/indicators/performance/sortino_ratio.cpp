#include "indicators/performance/sortino_ratio.hpp"

namespace sorvik {

Expected<SortinoRatio> SortinoRatio::create(std::uint64_t period, double target) {
  if (period < 2) return fail(IndicatorError::invalid_period("sortino ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return SortinoRatio(period, target);
}

}  // namespace sorvik
