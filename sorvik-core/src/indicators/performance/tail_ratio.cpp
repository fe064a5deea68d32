#include "indicators/performance/tail_ratio.hpp"

namespace sorvik {

Expected<TailRatio> TailRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("tail ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return TailRatio(period);
}

}  // namespace sorvik
