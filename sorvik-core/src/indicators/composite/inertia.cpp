#include "indicators/composite/inertia.hpp"

namespace sorvik {

Expected<Inertia> Inertia::create(std::uint64_t rvi_period, std::uint64_t regression_period) {
  if (rvi_period == 0 || regression_period == 0) return fail(IndicatorError::zero_period());
  if (auto err = check_max_period(rvi_period)) return fail(*err);
  if (rvi_period < 2) return fail(IndicatorError::invalid_period("RVI period must be >= 2"));
  if (regression_period < 2) return fail(IndicatorError::invalid_period("linear regression needs period >= 2"));
  if (auto err = check_max_period(regression_period)) return fail(*err);
  return Inertia(rvi_period, regression_period);
}

}  // namespace sorvik
