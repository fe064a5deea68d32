#include "indicators/statistics/trend_label.hpp"

namespace sorvik {

Expected<TrendLabel> TrendLabel::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("trend label needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return TrendLabel(period);
}

}  // namespace sorvik
