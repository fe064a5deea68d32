#include "indicators/statistics/lin_reg_channel.hpp"

#include <cmath>

namespace sorvik {

Expected<LinRegChannel> LinRegChannel::create(std::uint64_t period, double multiplier) {
  if (period < 2) return fail(IndicatorError::invalid_period("linear regression channel needs period >= 2"));
  if (auto err = check_max_period(period)) return fail(*err);
  if (!std::isfinite(multiplier) || !(multiplier > 0.0)) {
    return fail(IndicatorError::non_positive_multiplier());
  }
  return LinRegChannel(period, multiplier);
}

}  // namespace sorvik
