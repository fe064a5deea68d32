#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: a long white candle; three small bodies (at most half the first body), the first gapping above
/// the first close, all lows holding above the first close less half its body; then a white candle
/// closing above every earlier high. Else 0.
class MatHold : public candles::CandlePattern<MatHold, 5> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3,
                       const candles::Bar& k4, const candles::Bar& k5) noexcept {
    using namespace candles;
    const double r1 = k1.range();
    const double d = k1.c - k1.o;
    if (!(r1 > 0.0) || !(d >= 0.5 * r1)) return NONE;
    const double small = MAT_HOLD_FRACTION * d;
    if (!(k2.body_size() <= small) || !(k3.body_size() <= small) || !(k4.body_size() <= small)) return NONE;
    if (!(k2.bottom() > k1.c) || !(std::min({k2.l, k3.l, k4.l}) > k1.c - small)) return NONE;
    return k5.white() && k5.c > std::max({k1.h, k2.h, k3.h, k4.h}) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
