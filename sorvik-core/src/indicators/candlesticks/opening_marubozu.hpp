#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A body of at least 70 % of the range with no shadow on the open's side: +1 white opening within
/// 5 % of the range above the low, -1 black opening within 5 % below the high, else 0.
class OpeningMarubozu : public candles::CandlePattern<OpeningMarubozu, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    if (!(r > 0.0) || !(k.body_size() >= 0.7 * r)) return NONE;
    if (k.white() && k.o - k.l <= SHADOW_TOLERANCE * r) return BULLISH;
    if (k.black() && k.h - k.o <= SHADOW_TOLERANCE * r) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
