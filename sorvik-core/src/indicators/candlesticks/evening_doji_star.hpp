#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: a long white candle, a doji gapping above its close, then a black candle gapping below the doji
/// and closing more than 30 % of the first body below the first close. Else 0.
class EveningDojiStar : public candles::CandlePattern<EveningDojiStar, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.white() || !k1.long_body() || !k2.doji()) return NONE;
    if (!(k2.bottom() > k1.c) || !(k2.bottom() > k3.top())) return NONE;
    return k3.black() && k3.c < k1.c - PENETRATION * (k1.c - k1.o) ? BEARISH : NONE;
  }
};

}  // namespace sorvik
