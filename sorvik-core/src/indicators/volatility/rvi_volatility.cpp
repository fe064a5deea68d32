#include "indicators/volatility/rvi_volatility.hpp"

namespace sorvik {

Expected<RviVolatility> RviVolatility::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  if (period < 2) return fail(IndicatorError::invalid_period("RVI period must be >= 2"));
  return RviVolatility(period);
}

}  // namespace sorvik
