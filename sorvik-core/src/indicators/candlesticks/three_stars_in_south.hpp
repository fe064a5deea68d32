#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a black candle with a lower shadow at least as long as its body; a shorter black candle opening
/// within the first body, closing above the first close, with a higher low; then a black marubozu
/// (open at the high, close at the low, within 0.1 %) inside the second range. Else 0.
class ThreeStarsInSouth : public candles::CandlePattern<ThreeStarsInSouth, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    const double d1 = k1.o - k1.c;
    if (!k1.black() || !(k1.c - k1.l >= d1)) return NONE;
    if (!k2.black() || !(k2.o - k2.c < d1) || !between(k1.c, k2.o, k1.o) || !(k2.c > k1.c) || !(k2.l > k1.l)) {
      return NONE;
    }
    if (!k3.black() || !(k3.h < k2.h) || !(k3.l > k2.l)) return NONE;
    const double tolerance = PRICE_TOLERANCE * std::max(std::fabs(k3.h), std::fabs(k3.l));
    return k3.h - k3.o <= tolerance && k3.c - k3.l <= tolerance ? BULLISH : NONE;
  }
};

}  // namespace sorvik
