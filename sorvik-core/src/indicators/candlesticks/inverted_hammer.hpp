#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A non-zero body with a lower shadow no longer than the body and an upper shadow of at least twice
/// the body. +1 or 0.
class InvertedHammer : public candles::CandlePattern<InvertedHammer, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double size = k.body_size();
    return k.body() != 0.0 && k.lower_shadow() <= size && k.upper_shadow() >= 2.0 * size ? BULLISH : NONE;
  }
};

}  // namespace sorvik
