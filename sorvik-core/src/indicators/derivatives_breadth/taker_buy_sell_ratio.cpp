#include "indicators/derivatives_breadth/taker_buy_sell_ratio.hpp"

namespace sorvik {

Expected<TakerBuySellRatio> TakerBuySellRatio::create() {
  return TakerBuySellRatio();
}

}  // namespace sorvik
