#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// An inside bar followed by a breakout of it: +1 when the third bar has a lower high and a lower low
/// than the inside bar, -1 when it has a higher high and a higher low, else 0.
class Hikkake : public candles::CandlePattern<Hikkake, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!inside(k2, k1)) return NONE;
    if (k3.h < k2.h && k3.l < k2.l) return BULLISH;
    if (k3.h > k2.h && k3.l > k2.l) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
