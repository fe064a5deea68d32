#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/inverted_hammer.hpp"

namespace sorvik {

/// The inverted hammer's shape, read bearishly. -1 or 0.
class ShootingStar : public candles::CandlePattern<ShootingStar, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    return InvertedHammer::detect(k) == BULLISH ? BEARISH : NONE;
  }
};

}  // namespace sorvik
