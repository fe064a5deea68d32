#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A small middle body (at most half of each outer non-zero body) between two opposite candles, the
/// third closing beyond 30 % of the first body: +1 (morning star) black, star below the close, white;
/// -1 (evening star) white, star above the close, black. Else 0.
class MorningEveningStar : public candles::CandlePattern<MorningEveningStar, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (k1.body() == 0.0 || k3.body() == 0.0) return NONE;
    const double star = 2.0 * k2.body_size();
    if (!(star <= k1.body_size()) || !(star <= k3.body_size())) return NONE;
    const double p = PENETRATION * k1.body_size();
    if (k1.black() && k1.c > k2.top() && k3.white() && k3.c > k1.c + p) return BULLISH;
    if (k1.white() && k1.c < k2.bottom() && k3.black() && k3.c < k1.c - p) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
