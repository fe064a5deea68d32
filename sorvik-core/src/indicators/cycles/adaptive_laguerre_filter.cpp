#include "indicators/cycles/adaptive_laguerre_filter.hpp"

namespace sorvik {

Expected<AdaptiveLaguerreFilter> AdaptiveLaguerreFilter::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return AdaptiveLaguerreFilter(period);
}

}  // namespace sorvik
