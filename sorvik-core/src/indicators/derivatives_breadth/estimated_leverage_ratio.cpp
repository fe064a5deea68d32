#include "indicators/derivatives_breadth/estimated_leverage_ratio.hpp"

namespace sorvik {

Expected<EstimatedLeverageRatio> EstimatedLeverageRatio::create() {
  return EstimatedLeverageRatio();
}

}  // namespace sorvik
