#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji with almost no upper shadow (at most 5 % of the range) and a lower shadow of at least 70 %.
/// +1 or 0.
class Takuri : public candles::CandlePattern<Takuri, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    return k.doji() && k.upper_shadow() <= 0.05 * r && k.lower_shadow() >= 0.7 * r ? BULLISH : NONE;
  }
};

}  // namespace sorvik
