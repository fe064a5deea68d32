#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two candles of opposite colours opening at the same level (within 5 % of the first range), the
/// second long and without a shadow on the open's side: +1 black then white, -1 white then black,
/// else 0.
class SeparatingLines : public candles::CandlePattern<SeparatingLines, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    const double r1 = k1.range();
    const double r2 = k2.range();
    if (!(r1 > 0.0) || !(r2 > 0.0)) return NONE;
    if (!(std::fabs(k2.o - k1.o) <= SHADOW_TOLERANCE * r1) || !(k2.body_size() >= 0.5 * r2)) return NONE;
    if (k2.o - k2.l <= SHADOW_TOLERANCE * r2 && k2.white() && k1.black()) return BULLISH;
    if (k2.h - k2.o <= SHADOW_TOLERANCE * r2 && k2.black() && k1.white()) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
