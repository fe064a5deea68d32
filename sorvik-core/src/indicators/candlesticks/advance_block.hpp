#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/three_soldiers_or_crows.hpp"

namespace sorvik {

/// -1: three white soldiers whose bodies shrink, the last with a non-zero upper shadow at least as
/// long as the second's. Else 0.
class AdvanceBlock : public candles::CandlePattern<AdvanceBlock, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (ThreeSoldiersOrCrows::detect(k1, k2, k3) != BULLISH) return NONE;
    if (!(k1.body() > k2.body()) || !(k2.body() > k3.body())) return NONE;
    const double u3 = k3.h - k3.c;
    return u3 > 0.0 && u3 >= k2.h - k2.c ? BEARISH : NONE;
  }
};

}  // namespace sorvik
