#include "indicators/performance/martin_ratio.hpp"

namespace sorvik {

Expected<MartinRatio> MartinRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("martin ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return MartinRatio(period);
}

}  // namespace sorvik
