#include "indicators/statistics/lin_reg_angle.hpp"

namespace sorvik {

Expected<LinRegAngle> LinRegAngle::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression slope needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return LinRegAngle(period);
}

}  // namespace sorvik
