#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A non-zero body with both shadows at most 5 % of the range. The candle's colour (+1 white,
/// -1 black) or 0.
class Marubozu : public candles::CandlePattern<Marubozu, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double r = k.range();
    if (k.body() == 0.0) return NONE;
    return k.upper_shadow() <= SHADOW_TOLERANCE * r && k.lower_shadow() <= SHADOW_TOLERANCE * r ? k.colour() : NONE;
  }
};

}  // namespace sorvik
