#include "indicators/volume/volume_weighted_sr.hpp"

namespace sorvik {

Expected<VolumeWeightedSr> VolumeWeightedSr::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return VolumeWeightedSr(period);
}

}  // namespace sorvik
