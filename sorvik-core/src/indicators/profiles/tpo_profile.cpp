#include "indicators/profiles/tpo_profile.hpp"

namespace sorvik {

Expected<TpoProfile> TpoProfile::create(std::uint64_t period, std::uint64_t bins) {
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return TpoProfile(period, bins);
}

}  // namespace sorvik
