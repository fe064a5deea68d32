#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: two black candles with a gap between them, then a white one opening inside the second body and
/// closing inside the first, closing the gap. Else 0.
class DownsideGapThreeMethods : public candles::CandlePattern<DownsideGapThreeMethods, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.black() || !(k2.o < k1.c) || !k3.white()) return NONE;
    return strictly_between(k2.c, k3.o, k2.o) && strictly_between(k1.c, k3.c, k1.o) ? BEARISH : NONE;
  }
};

}  // namespace sorvik
