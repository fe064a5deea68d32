#include "indicators/profiles/composite_profile.hpp"

namespace sorvik {

Expected<CompositeProfile> CompositeProfile::create(std::uint64_t period, std::uint64_t bins,
                                                    double value_area_pct) {
  if (period == 0 || bins == 0) return fail(IndicatorError::zero_period());
  if (auto err = profiles::check_value_area_pct(value_area_pct)) return fail(*err);
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return CompositeProfile(period, bins, value_area_pct);
}

}  // namespace sorvik
