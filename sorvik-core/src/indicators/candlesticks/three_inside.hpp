#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/harami.hpp"

namespace sorvik {

/// A harami confirmed by the third candle: +1 bullish harami then a white candle closing above the
/// first open, -1 bearish harami then a black candle closing below it, else 0.
class ThreeInside : public candles::CandlePattern<ThreeInside, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    const double harami = Harami::detect(k1, k2);
    if (harami == BULLISH && k3.white() && k3.c > k1.o) return BULLISH;
    if (harami == BEARISH && k3.black() && k3.c < k1.o) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
