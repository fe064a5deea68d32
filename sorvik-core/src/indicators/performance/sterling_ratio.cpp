#include "indicators/performance/sterling_ratio.hpp"

namespace sorvik {

Expected<SterlingRatio> SterlingRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("sterling ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return SterlingRatio(period);
}

}  // namespace sorvik
