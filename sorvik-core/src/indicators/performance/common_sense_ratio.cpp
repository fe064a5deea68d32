#include "indicators/performance/common_sense_ratio.hpp"

namespace sorvik {

Expected<CommonSenseRatio> CommonSenseRatio::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("common sense ratio needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return CommonSenseRatio(period);
}

}  // namespace sorvik
