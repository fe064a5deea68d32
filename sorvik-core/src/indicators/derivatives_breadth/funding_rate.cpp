#include "indicators/derivatives_breadth/funding_rate.hpp"

namespace sorvik {

Expected<FundingRate> FundingRate::create() {
  return FundingRate();
}

}  // namespace sorvik
