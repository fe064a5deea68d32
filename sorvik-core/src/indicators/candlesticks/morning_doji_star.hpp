#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a long black candle, a doji gapping below its close, then a white candle gapping above the doji
/// and closing more than 30 % of the first body above the first close. Else 0.
class MorningDojiStar : public candles::CandlePattern<MorningDojiStar, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.black() || !k1.long_body() || !k2.doji()) return NONE;
    if (!(k1.c > k2.top()) || !(k3.bottom() > k2.top())) return NONE;
    return k3.white() && k3.c > k1.c + PENETRATION * (k1.o - k1.c) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
