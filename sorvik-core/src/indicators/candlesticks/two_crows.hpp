#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: a white candle, a black one gapping above its close, then a black one opening inside the second
/// body and closing inside the first. Else 0.
class TwoCrows : public candles::CandlePattern<TwoCrows, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.white() || !k2.black() || !(k2.c > k1.c) || !k3.black()) return NONE;
    return strictly_between(k2.c, k3.o, k2.o) && strictly_between(k1.o, k3.c, k1.c) ? BEARISH : NONE;
  }
};

}  // namespace sorvik
