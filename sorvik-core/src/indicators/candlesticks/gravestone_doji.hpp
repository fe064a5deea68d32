#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji with an upper shadow of at least half the range and almost no lower shadow. -1 or 0.
class GravestoneDoji : public candles::CandlePattern<GravestoneDoji, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    return k.doji() && k.upper_shadow() >= 0.5 * r && k.lower_shadow() <= 0.1 * r ? BEARISH : NONE;
  }
};

}  // namespace sorvik
