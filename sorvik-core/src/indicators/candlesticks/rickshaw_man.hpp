#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A long-legged doji whose body midpoint sits in the middle fifth of the range (40 % to 60 % above
/// the low). +1 or 0.
class RickshawMan : public candles::CandlePattern<RickshawMan, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    if (!k.doji() || !(k.upper_shadow() >= 0.3 * r) || !(k.lower_shadow() >= 0.3 * r)) return NONE;
    return between(0.4, (midpoint(k.o, k.c) - k.l) / r, 0.6) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
