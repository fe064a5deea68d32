#include "indicators/profiles/volume_profile.hpp"

namespace sorvik {

Expected<VolumeProfile> VolumeProfile::create(std::uint64_t period, std::uint64_t bins) {
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return VolumeProfile(period, bins);
}

}  // namespace sorvik
