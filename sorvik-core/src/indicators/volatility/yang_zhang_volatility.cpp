#include "indicators/volatility/yang_zhang_volatility.hpp"

namespace sorvik {

Expected<YangZhangVolatility> YangZhangVolatility::create(std::uint64_t period, std::uint64_t periods_per_year) {
  if (period == 0) return fail(IndicatorError::zero_period());
  if (period < 2) return fail(IndicatorError::invalid_period("Yang-Zhang period must be >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  return YangZhangVolatility(period, periods_per_year);
}

}  // namespace sorvik
