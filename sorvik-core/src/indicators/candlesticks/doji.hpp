#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A doji: a body of at most a tenth of a non-zero range. +1 or 0.
class Doji : public candles::CandlePattern<Doji, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    return k.doji() ? BULLISH : NONE;
  }
};

}  // namespace sorvik
