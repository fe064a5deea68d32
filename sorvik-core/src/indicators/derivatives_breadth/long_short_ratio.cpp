#include "indicators/derivatives_breadth/long_short_ratio.hpp"

namespace sorvik {

Expected<LongShortRatio> LongShortRatio::create() {
  return LongShortRatio();
}

}  // namespace sorvik
