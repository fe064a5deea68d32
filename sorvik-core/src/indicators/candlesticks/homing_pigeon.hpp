#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: two black candles, the second body inside the first and strictly shorter. Else 0.
class HomingPigeon : public candles::CandlePattern<HomingPigeon, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.black() || !(k2.c >= k1.c) || !(k2.o <= k1.o)) return NONE;
    return (k1.o - k1.c) > (k2.o - k2.c) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
