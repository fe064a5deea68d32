#include "indicators/volume/chaikin_oscillator.hpp"

namespace sorvik {

Expected<ChaikinOscillator> ChaikinOscillator::create(std::uint64_t fast, std::uint64_t slow) {
  if (fast == 0 || slow == 0) return fail(IndicatorError::zero_period());
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("Chaikin Oscillator needs fast < slow"));
  if (auto err = check_max_period(slow)) return fail(*err);
  return ChaikinOscillator(fast, slow);
}

}  // namespace sorvik
