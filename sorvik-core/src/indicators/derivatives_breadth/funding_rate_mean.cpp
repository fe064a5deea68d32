#include "indicators/derivatives_breadth/funding_rate_mean.hpp"

namespace sorvik {

Expected<FundingRateMean> FundingRateMean::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return FundingRateMean(period);
}

}  // namespace sorvik
