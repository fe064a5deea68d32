#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A middle candle whose open and close match (within 0.1 %), isolated by gaps on both sides: +1 black,
/// star below, white; -1 white, star above, black. Else 0.
class AbandonedBaby : public candles::CandlePattern<AbandonedBaby, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!same_price(k2.o, k2.c)) return NONE;
    if (k1.black() && k1.l > k2.h && k3.white() && k3.l > k2.h) return BULLISH;
    if (k1.white() && k2.l > k1.h && k3.black() && k2.l > k3.h) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
