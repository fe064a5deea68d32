#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two candles of one colour with a gap between them, then one of the other colour opening inside the
/// second body and closing inside the gap: +1 upward (white, white, black), -1 downward (black,
/// black, white), else 0.
class TasukiGap : public candles::CandlePattern<TasukiGap, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (k1.white() && k2.white() && k2.o > k1.c && k3.black() && strictly_between(k2.o, k3.o, k2.c) &&
        strictly_between(k1.c, k3.c, k2.o)) {
      return BULLISH;
    }
    if (k1.black() && k2.black() && k2.o < k1.c && k3.white() && strictly_between(k2.c, k3.o, k2.o) &&
        strictly_between(k2.o, k3.c, k1.c)) {
      return BEARISH;
    }
    return NONE;
  }
};

}  // namespace sorvik
