#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/three_soldiers_or_crows.hpp"

namespace sorvik {

/// Three white soldiers struck by a black candle opening above the third close and closing below the
/// first open (+1), or three black crows struck by a white candle opening below the third close and
/// closing above the first open (-1); else 0.
class ThreeLineStrike : public candles::CandlePattern<ThreeLineStrike, 4> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4) noexcept {
    using namespace candles;
    const double run = ThreeSoldiersOrCrows::detect(k1, k2, k3);
    if (run == BULLISH && k4.black() && k4.o > k3.c && k4.c < k1.o) return BULLISH;
    if (run == BEARISH && k4.white() && k4.o < k3.c && k4.c > k1.o) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
