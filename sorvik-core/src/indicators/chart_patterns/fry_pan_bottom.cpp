#include "indicators/chart_patterns/fry_pan_bottom.hpp"

namespace sorvik {

Expected<FryPanBottom> FryPanBottom::create(std::uint64_t period) {
  if (period < 5) return fail(IndicatorError::invalid_period("frying pan bottom needs period >= 5"));
  if (auto err = check_max_period(period)) return fail(*err);
  return FryPanBottom(period);
}

}  // namespace sorvik
