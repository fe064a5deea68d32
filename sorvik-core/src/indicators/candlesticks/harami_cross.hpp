#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji whose open and close lie within the previous candle's body (bounds included), that candle
/// not being a doji: +1 after a black candle, -1 otherwise, else 0.
class HaramiCross : public candles::CandlePattern<HaramiCross, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (k1.doji() || !k2.doji()) return NONE;
    if (!between(k1.bottom(), k2.o, k1.top()) || !between(k1.bottom(), k2.c, k1.top())) return NONE;
    return k1.o > k1.c ? BULLISH : BEARISH;
  }
};

}  // namespace sorvik
