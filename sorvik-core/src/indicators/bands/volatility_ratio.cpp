#include "indicators/bands/volatility_ratio.hpp"

namespace sorvik {

Expected<VolatilityRatio> VolatilityRatio::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return VolatilityRatio(period);
}

}  // namespace sorvik
