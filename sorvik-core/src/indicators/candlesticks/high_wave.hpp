#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Both shadows at least 40 % of a non-zero range, whatever the body. +1 or 0.
class HighWave : public candles::CandlePattern<HighWave, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    return r > 0.0 && k.upper_shadow() >= 0.4 * r && k.lower_shadow() >= 0.4 * r ? BULLISH : NONE;
  }
};

}  // namespace sorvik
