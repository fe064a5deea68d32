#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/marubozu.hpp"

namespace sorvik {

/// +1: two black marubozu; a black candle opening below the second close and reaching above it; then
/// a black candle engulfing the third's whole range (opening above its high, closing below its low).
/// Else 0.
class ConcealingBabySwallow : public candles::CandlePattern<ConcealingBabySwallow, 4> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4) noexcept {
    using namespace candles;
    if (Marubozu::detect(k1) != BEARISH || Marubozu::detect(k2) != BEARISH) return NONE;
    if (!k3.black() || !(k3.o < k2.c) || !(k3.h > k2.c)) return NONE;
    return k4.black() && k4.o > k3.h && k4.c < k3.l ? BULLISH : NONE;
  }
};

}  // namespace sorvik
