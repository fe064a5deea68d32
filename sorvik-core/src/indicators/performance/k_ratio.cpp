#include "indicators/performance/k_ratio.hpp"

namespace sorvik {

Expected<KRatio> KRatio::create(std::uint64_t period) {
  if (period < 3) return fail(IndicatorError::invalid_period("k-ratio needs period >= 3"));
  if (auto err = check_max_period(period)) return fail(*err);
  return KRatio(period);
}

}  // namespace sorvik
