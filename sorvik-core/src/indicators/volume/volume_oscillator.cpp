#include "indicators/volume/volume_oscillator.hpp"

namespace sorvik {

Expected<VolumeOscillator> VolumeOscillator::create(std::uint64_t fast, std::uint64_t slow) {
  if (fast == 0 || slow == 0) return fail(IndicatorError::zero_period());
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("VolumeOscillator needs fast < slow"));
  if (auto err = check_max_period(slow)) return fail(*err);
  return VolumeOscillator(fast, slow);
}

}  // namespace sorvik
