#include "indicators/volatility/realized_volatility.hpp"

namespace sorvik {

Expected<RealizedVolatility> RealizedVolatility::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return RealizedVolatility(period);
}

}  // namespace sorvik
