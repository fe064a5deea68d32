#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1 (piercing line): a black candle, then a white one opening below its low and closing above the
/// middle of its body but below its open. -1 (dark cloud cover): a white candle, then a black one
/// opening above its high and closing below the middle of its body but above its open. Else 0.
class PiercingDarkCloud : public candles::CandlePattern<PiercingDarkCloud, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    const double m = midpoint(k1.o, k1.c);
    if (k1.black() && k2.o < k1.l && k2.white() && strictly_between(m, k2.c, k1.o)) return BULLISH;
    if (k1.white() && k2.o > k1.h && k2.black() && strictly_between(k1.o, k2.c, m)) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
