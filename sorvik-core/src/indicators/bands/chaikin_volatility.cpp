#include "indicators/bands/chaikin_volatility.hpp"

namespace sorvik {

Expected<ChaikinVolatility> ChaikinVolatility::create(std::uint64_t ema_period, std::uint64_t roc_period) {
  if (auto err = check_period(ema_period)) return fail(*err);
  if (auto err = check_period(roc_period)) return fail(*err);
  return ChaikinVolatility(ema_period, roc_period);
}

}  // namespace sorvik
