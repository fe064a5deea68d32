#include "indicators/derivatives_breadth/perpetual_premium_index.hpp"

namespace sorvik {

Expected<PerpetualPremiumIndex> PerpetualPremiumIndex::create() {
  return PerpetualPremiumIndex();
}

}  // namespace sorvik
