#include "indicators/derivatives_breadth/funding_implied_apr.hpp"

namespace sorvik {

Expected<FundingImpliedApr> FundingImpliedApr::create(double intervals_per_year) {
  if (!std::isfinite(intervals_per_year) || !(intervals_per_year > 0.0)) {
    return fail(IndicatorError::invalid_period("intervals_per_year must be finite and positive"));
  }
  return FundingImpliedApr(intervals_per_year);
}

}  // namespace sorvik
