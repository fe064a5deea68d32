#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1 (three white soldiers): three white candles with rising closes, each opening within the previous
/// body. -1 (three black crows): three black candles with falling closes, each opening within the
/// previous body. Else 0.
class ThreeSoldiersOrCrows : public candles::CandlePattern<ThreeSoldiersOrCrows, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (k1.white() && k2.white() && k3.white() && k1.c < k2.c && k2.c < k3.c && between(k1.o, k2.o, k1.c) &&
        between(k2.o, k3.o, k2.c)) {
      return BULLISH;
    }
    if (k1.black() && k2.black() && k3.black() && k1.c > k2.c && k2.c > k3.c && between(k1.c, k2.o, k1.o) &&
        between(k2.c, k3.o, k2.o)) {
      return BEARISH;
    }
    return NONE;
  }
};

}  // namespace sorvik
