#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: two white candles with a gap between them, then a black one opening inside the second body and
/// closing inside the first, closing the gap. Else 0.
class UpsideGapThreeMethods : public candles::CandlePattern<UpsideGapThreeMethods, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.white() || !k2.white() || !(k2.o > k1.c) || !k3.black()) return NONE;
    return strictly_between(k2.o, k3.o, k2.c) && strictly_between(k1.o, k3.c, k1.c) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
