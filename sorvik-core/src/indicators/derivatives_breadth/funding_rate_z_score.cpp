#include "indicators/derivatives_breadth/funding_rate_z_score.hpp"

namespace sorvik {

Expected<FundingRateZScore> FundingRateZScore::create(std::uint64_t period) {
  if (auto err = check_period(period)) return fail(*err);
  return FundingRateZScore(period);
}

}  // namespace sorvik
