#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: three black candles with falling closes, each opening at the previous close (within 0.1 %).
/// Else 0.
class IdenticalThreeCrows : public candles::CandlePattern<IdenticalThreeCrows, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.black() || !k3.black() || !(k1.c > k2.c) || !(k2.c > k3.c)) return NONE;
    return same_price(k2.o, k1.c) && same_price(k3.o, k2.c) ? BEARISH : NONE;
  }
};

}  // namespace sorvik
