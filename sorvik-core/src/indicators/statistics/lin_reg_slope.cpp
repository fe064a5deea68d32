#include "indicators/statistics/lin_reg_slope.hpp"

namespace sorvik {

Expected<LinRegSlope> LinRegSlope::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression slope needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return LinRegSlope(period);
}

}  // namespace sorvik
