#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji with both shadows at least 30 % of the range. +1 or 0.
class LongLeggedDoji : public candles::CandlePattern<LongLeggedDoji, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    return k.doji() && k.upper_shadow() >= 0.3 * r && k.lower_shadow() >= 0.3 * r ? BULLISH : NONE;
  }
};

}  // namespace sorvik
