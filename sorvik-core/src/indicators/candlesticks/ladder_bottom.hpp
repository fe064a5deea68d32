#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: three black candles with falling opens and closes, a black candle with an upper shadow, then a
/// white candle opening above the fourth open and closing above its high. Else 0.
class LadderBottom : public candles::CandlePattern<LadderBottom, 5> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4, const candles::Bar& k5) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.black() || !k3.black()) return NONE;
    if (!(k1.o > k2.o) || !(k2.o > k3.o) || !(k1.c > k2.c) || !(k2.c > k3.c)) return NONE;
    if (!k4.black() || !(k4.h > k4.o)) return NONE;
    return k5.white() && k5.o > k4.o && k5.c > k4.h ? BULLISH : NONE;
  }
};

}  // namespace sorvik
