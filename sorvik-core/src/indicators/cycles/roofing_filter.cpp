#include "indicators/cycles/roofing_filter.hpp"

namespace sorvik {

Expected<RoofingFilter> RoofingFilter::create(std::uint64_t lp_period, std::uint64_t hp_period) {
  if (lp_period == 0 || hp_period == 0) return fail(IndicatorError::zero_period());
  if (lp_period >= hp_period) {
    return fail(IndicatorError::invalid_period("lp_period must be strictly less than hp_period"));
  }
  if (auto err = check_max_period(lp_period)) return fail(*err);
  return RoofingFilter(lp_period, hp_period);
}

}  // namespace sorvik
