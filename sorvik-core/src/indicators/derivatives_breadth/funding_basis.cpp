#include "indicators/derivatives_breadth/funding_basis.hpp"

namespace sorvik {

Expected<FundingBasis> FundingBasis::create() {
  return FundingBasis();
}

}  // namespace sorvik
