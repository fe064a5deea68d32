#include "indicators/volatility/bipower_variation.hpp"

namespace sorvik {

Expected<BipowerVariation> BipowerVariation::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  if (period < 2) return fail(IndicatorError::invalid_period("bipower variation period must be >= 2"));
  return BipowerVariation(period);
}

}  // namespace sorvik
