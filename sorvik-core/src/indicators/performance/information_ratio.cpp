#include "indicators/performance/information_ratio.hpp"

namespace sorvik {

Expected<InformationRatio> InformationRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("information ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return InformationRatio(period);
}

}  // namespace sorvik
