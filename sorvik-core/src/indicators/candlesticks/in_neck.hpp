#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: a long black candle, then a white one opening below its low and closing at or just above its
/// close (up to a tenth of its body). Else 0.
class InNeck : public candles::CandlePattern<InNeck, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!long_black_then_white_below(k1, k2)) return NONE;
    return between(k1.c, k2.c, k1.c + 0.1 * (k1.o - k1.c)) ? BEARISH : NONE;
  }
};

}  // namespace sorvik
