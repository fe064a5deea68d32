#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two white candles of similar size (neither body more than twice the other) opening at the same level
/// (within a tenth of the second range), gapping away from the first candle: +1 above it, -1 below
/// it, else 0.
class GapSideBySideWhite : public candles::CandlePattern<GapSideBySideWhite, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    const double r2 = k2.range();
    if (!(r2 > 0.0) || !k2.white() || !k3.white() || !(std::fabs(k3.o - k2.o) <= 0.1 * r2)) return NONE;
    const double b2 = k2.body();
    const double b3 = k3.body();
    if (!(b2 <= 2.0 * b3) || !(b3 <= 2.0 * b2)) return NONE;
    if (k2.bottom() > k1.top()) return BULLISH;
    if (k2.top() < k1.bottom()) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
