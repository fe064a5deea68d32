#include "indicators/profiles/profile_shape.hpp"

namespace sorvik {

Expected<ProfileShape> ProfileShape::create(std::uint64_t period, std::uint64_t bins) {
  if (period == 0 || bins == 0) return fail(IndicatorError::zero_period());
  if (bins < 3) return fail(IndicatorError::invalid_period("profile shape needs bins >= 3"));
  if (auto err = profiles::check_period_and_bins(period, bins)) return fail(*err);
  return ProfileShape(period, bins);
}

}  // namespace sorvik
