#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two marubozu-like candles (body at least 95 % of a non-zero range) of opposite colours with a gap
/// between them: +1 black then white above its high, -1 white then black below its low, else 0.
class Kicking : public candles::CandlePattern<Kicking, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!solid(k1) || !solid(k2)) return NONE;
    if (k1.black() && k2.white() && k2.l > k1.h) return BULLISH;
    if (k1.white() && k2.black() && k2.h < k1.l) return BEARISH;
    return NONE;
  }

 private:
  static bool solid(const candles::Bar& k) noexcept {
    const double r = k.range();
    return r > 0.0 && k.body_size() >= 0.95 * r;
  }
};

}  // namespace sorvik
