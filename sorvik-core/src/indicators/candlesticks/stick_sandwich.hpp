#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a black candle, a white one trading above its close, then a black one closing at the first close
/// (within a tenth of the first range). Else 0.
class StickSandwich : public candles::CandlePattern<StickSandwich, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.white() || !(k2.l > k1.c) || !k3.black()) return NONE;
    return std::fabs(k3.c - k1.c) <= 0.1 * k1.range() ? BULLISH : NONE;
  }
};

}  // namespace sorvik
