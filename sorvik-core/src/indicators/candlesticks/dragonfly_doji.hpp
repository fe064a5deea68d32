#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji with almost no upper shadow and a lower shadow of at least half the range. +1 or 0.
class DragonflyDoji : public candles::CandlePattern<DragonflyDoji, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    return k.doji() && k.upper_shadow() <= 0.1 * r && k.lower_shadow() >= 0.5 * r ? BULLISH : NONE;
  }
};

}  // namespace sorvik
