#include "indicators/performance/burke_ratio.hpp"

namespace sorvik {

Expected<BurkeRatio> BurkeRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("burke ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return BurkeRatio(period);
}

}  // namespace sorvik
