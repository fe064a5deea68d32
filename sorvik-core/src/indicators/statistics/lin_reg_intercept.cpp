#include "indicators/statistics/lin_reg_intercept.hpp"

namespace sorvik {

Expected<LinRegIntercept> LinRegIntercept::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression intercept needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return LinRegIntercept(period);
}

}  // namespace sorvik
