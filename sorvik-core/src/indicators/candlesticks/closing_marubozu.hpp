#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A body of at least 70 % of the range with no shadow on the close's side: +1 white closing within
/// 5 % of the range below the high, -1 black closing within 5 % above the low, else 0.
class ClosingMarubozu : public candles::CandlePattern<ClosingMarubozu, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    if (!(r > 0.0) || !(k.body_size() >= 0.7 * r)) return NONE;
    if (k.white() && k.h - k.c <= SHADOW_TOLERANCE * r) return BULLISH;
    if (k.black() && k.c - k.l <= SHADOW_TOLERANCE * r) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
