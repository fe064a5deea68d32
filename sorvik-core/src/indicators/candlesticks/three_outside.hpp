#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/engulfing.hpp"

namespace sorvik {

/// An engulfing pattern confirmed by the third candle: +1 bullish engulfing then a white candle closing
/// above the second close, -1 bearish engulfing then a black candle closing below it, else 0.
class ThreeOutside : public candles::CandlePattern<ThreeOutside, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    const double engulfing = Engulfing::detect(k1, k2);
    if (engulfing == BULLISH && k3.white() && k3.c > k2.c) return BULLISH;
    if (engulfing == BEARISH && k3.black() && k3.c < k2.c) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
