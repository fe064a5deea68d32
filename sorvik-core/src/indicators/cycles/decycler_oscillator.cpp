#include "indicators/cycles/decycler_oscillator.hpp"

namespace sorvik {

Expected<DecyclerOscillator> DecyclerOscillator::create(std::uint64_t fast, std::uint64_t slow) {
  if (fast == 0 || slow == 0) return fail(IndicatorError::zero_period());
  if (fast >= slow) {
    return fail(IndicatorError::invalid_period("fast period must be strictly less than slow period"));
  }
  if (auto err = check_max_period(slow)) return fail(*err);
  return DecyclerOscillator(fast, slow);
}

}  // namespace sorvik
