#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: a long black candle; three small white candles (bodies at most half the first body) with rising
/// closes, each overlapping the first range; then a long black candle opening below the fourth close
/// and closing below the first close. Else 0.
class FallingThreeMethods : public candles::CandlePattern<FallingThreeMethods, 5> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4, const candles::Bar& k5) noexcept {
    using namespace candles;
    const double r1 = k1.range();
    const double d = k1.o - k1.c;
    if (!(r1 > 0.0) || !(d >= 0.5 * r1)) return NONE;
    const auto small_white_within = [&](const candles::Bar& k) {
      const double b = k.c - k.o;
      return k.top() > k1.l && k.bottom() < k1.h && 0.0 < b && b <= 0.5 * d;
    };
    if (!small_white_within(k2) || !small_white_within(k3) || !small_white_within(k4)) return NONE;
    if (!(k2.c < k3.c) || !(k3.c < k4.c)) return NONE;
    return k5.black() && k5.o - k5.c >= 0.5 * k5.range() && k5.c < k1.c && k5.o < k4.c ? BEARISH : NONE;
  }
};

}  // namespace sorvik
