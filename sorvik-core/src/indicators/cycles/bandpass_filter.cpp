#include "indicators/cycles/bandpass_filter.hpp"

namespace sorvik {

Expected<BandpassFilter> BandpassFilter::create(std::uint64_t period, double bandwidth) {
  if (auto err = check_period(period)) return fail(*err);
  if (!std::isfinite(bandwidth) || !(bandwidth > 0.0) || !(bandwidth < 1.0)) {
    return fail(IndicatorError::invalid_parameter("bandpass bandwidth must be in (0, 1)"));
  }
  return BandpassFilter(period, bandwidth);
}

}  // namespace sorvik
