#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji after a long candle (body at least half its range), its body beyond the first close: +1
/// black then a doji above the close, -1 white then a doji below it, else 0.
class DojiStar : public candles::CandlePattern<DojiStar, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!k1.long_body() || !k2.doji()) return NONE;
    if (k1.black() && k1.c > k2.top()) return BULLISH;
    if (k1.white() && k1.c < k2.bottom()) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
