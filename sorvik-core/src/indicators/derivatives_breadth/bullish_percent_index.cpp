#include "indicators/derivatives_breadth/bullish_percent_index.hpp"

namespace sorvik {

Expected<BullishPercentIndex> BullishPercentIndex::create() {
  return BullishPercentIndex();
}

}  // namespace sorvik
