#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a long black candle; a black one with its body inside the first and a lower low; then a small
/// white candle (body at most 30 % of its range) staying at or below the second close. Else 0.
class UniqueThreeRiver : public candles::CandlePattern<UniqueThreeRiver, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.black() || !k1.long_body()) return NONE;
    if (!k2.black() || !(k2.o <= k1.o) || !(k2.c >= k1.c) || !(k2.l < k1.l)) return NONE;
    return k3.white() && k3.c - k3.o <= BODY_FRACTION * k3.range() && k3.h <= k2.c ? BULLISH : NONE;
  }
};

}  // namespace sorvik
