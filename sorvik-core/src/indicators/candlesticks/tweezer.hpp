#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1 when the two lows match (within 0.1 %), tested first; otherwise -1 when the two highs match;
/// else 0. No colour conditions.
class Tweezer : public candles::CandlePattern<Tweezer, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (same_price(k1.l, k2.l)) return BULLISH;
    if (same_price(k1.h, k2.h)) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
