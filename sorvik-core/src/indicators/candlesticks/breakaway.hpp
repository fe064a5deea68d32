#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a black candle, a black one gapping down, two bars stepping lower (lower highs and lows, the
/// fourth black), then a white candle closing inside the gap. -1: the mirror image upwards. Else 0.
class Breakaway : public candles::CandlePattern<Breakaway, 5> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4, const candles::Bar& k5) noexcept {
    using namespace candles;
    if (k1.black() && k2.o < k1.c && k2.black() && k3.h < k2.h && k3.l < k2.l && k4.h < k3.h && k4.l < k3.l &&
        k4.black() && k5.white() && strictly_between(k2.o, k5.c, k1.c)) {
      return BULLISH;
    }
    if (k1.white() && k2.o > k1.c && k2.white() && k3.h > k2.h && k3.l > k2.l && k4.h > k3.h && k4.l > k3.l &&
        k4.white() && k5.black() && strictly_between(k1.c, k5.c, k2.o)) {
      return BEARISH;
    }
    return NONE;
  }
};

}  // namespace sorvik
