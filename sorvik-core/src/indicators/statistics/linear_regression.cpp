#include "indicators/statistics/linear_regression.hpp"

namespace sorvik {

Expected<LinearRegression> LinearRegression::create(std::uint64_t period) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return LinearRegression(period);
}

}  // namespace sorvik
