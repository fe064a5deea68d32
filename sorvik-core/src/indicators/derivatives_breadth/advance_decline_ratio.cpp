#include "indicators/derivatives_breadth/advance_decline_ratio.hpp"

namespace sorvik {

Expected<AdvanceDeclineRatio> AdvanceDeclineRatio::create() {
  return AdvanceDeclineRatio();
}

}  // namespace sorvik
