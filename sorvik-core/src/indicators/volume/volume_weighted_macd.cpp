#include "indicators/volume/volume_weighted_macd.hpp"

namespace sorvik {

Expected<VolumeWeightedMacd> VolumeWeightedMacd::create(std::uint64_t fast, std::uint64_t slow,
                                                        std::uint64_t signal) {
  if (fast == 0 || slow == 0 || signal == 0) return fail(IndicatorError::zero_period());
  if (!(fast < slow)) return fail(IndicatorError::invalid_period("fast period must be strictly less than slow period"));
  for (const std::uint64_t n : {fast, slow, signal}) {
    if (auto err = check_max_period(n)) return fail(*err);
  }
  return VolumeWeightedMacd(fast, slow, signal);
}

}  // namespace sorvik
