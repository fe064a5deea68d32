#include "indicators/performance/upside_potential_ratio.hpp"

namespace sorvik {

Expected<UpsidePotentialRatio> UpsidePotentialRatio::create(std::uint64_t period, double mar) {
  if (period < 2) return fail(IndicatorError::invalid_period("upside potential ratio needs period >= 2"));
  if (!std::isfinite(mar)) return fail(IndicatorError::invalid_parameter("mar must be finite"));
  // The window length is bounded like every other one, after the checks of its own.
  if (auto err = check_max_period(period)) return fail(*err);
  return UpsidePotentialRatio(period, mar);
}

}  // namespace sorvik
