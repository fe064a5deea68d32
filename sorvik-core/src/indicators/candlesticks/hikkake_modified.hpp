#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two nested inside bars, the first closing near its extreme (within a fifth of its range), then a
/// breakout of the second: +1 close near the low then a lower high and low, -1 close near the high
/// then a higher high and low, else 0.
class HikkakeModified : public candles::CandlePattern<HikkakeModified, 4> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4) noexcept {
    using namespace candles;
    if (!inside(k2, k1) || !inside(k3, k2)) return NONE;
    const double r2 = k2.range();
    if (k2.c <= k2.l + 0.2 * r2 && k4.h < k3.h && k4.l < k3.l) return BULLISH;
    if (k2.c >= k2.h - 0.2 * r2 && k4.h > k3.h && k4.l > k3.l) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
