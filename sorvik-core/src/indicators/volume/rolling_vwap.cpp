#include "indicators/volume/rolling_vwap.hpp"

namespace sorvik {

Expected<RollingVwap> RollingVwap::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return RollingVwap(period);
}

}  // namespace sorvik
