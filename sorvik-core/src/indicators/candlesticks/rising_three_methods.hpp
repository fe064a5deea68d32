#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a long white candle; three small black candles (bodies at most half the first body) with falling
/// closes, each overlapping the first range; then a long white candle opening above the fourth close
/// and closing above the first close. Else 0.
class RisingThreeMethods : public candles::CandlePattern<RisingThreeMethods, 5> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4, const candles::Bar& k5) noexcept {
    using namespace candles;
    const double r1 = k1.range();
    const double d = k1.c - k1.o;
    if (!(r1 > 0.0) || !(d >= 0.5 * r1)) return NONE;
    const auto small_black_within = [&](const candles::Bar& k) {
      const double b = k.o - k.c;
      return k.top() > k1.l && k.bottom() < k1.h && 0.0 < b && b <= 0.5 * d;
    };
    if (!small_black_within(k2) || !small_black_within(k3) || !small_black_within(k4)) return NONE;
    if (!(k2.c > k3.c) || !(k3.c > k4.c)) return NONE;
    return k5.white() && k5.c - k5.o >= 0.5 * k5.range() && k5.c > k1.c && k5.o > k4.c ? BULLISH : NONE;
  }
};

}  // namespace sorvik
