#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: three white candles with rising closes, the first two long (body at least half the range), the
/// third small (at most 30 %) and opening near the second close (no lower than a tenth of the second
/// range below it). Else 0.
class StalledPattern : public candles::CandlePattern<StalledPattern, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    const double r1 = k1.range();
    const double r2 = k2.range();
    const double r3 = k3.range();
    if (!(r1 > 0.0) || !(r2 > 0.0) || !(r3 > 0.0)) return NONE;
    if (!k1.white() || !k2.white() || !k3.white() || !(k1.c < k2.c) || !(k2.c < k3.c)) return NONE;
    if (!(k1.body() >= 0.5 * r1) || !(k2.body() >= 0.5 * r2) || !(k3.body() <= BODY_FRACTION * r3)) return NONE;
    return k3.o >= k2.c - 0.1 * r2 ? BEARISH : NONE;
  }
};

}  // namespace sorvik
