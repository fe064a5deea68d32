#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A non-zero body with an upper shadow no longer than the body and a lower shadow of at least twice
/// the body. +1 or 0.
class Hammer : public candles::CandlePattern<Hammer, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double size = k.body_size();
    return k.body() != 0.0 && k.upper_shadow() <= size && k.lower_shadow() >= 2.0 * size ? BULLISH : NONE;
  }
};

}  // namespace sorvik
