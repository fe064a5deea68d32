#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A small non-zero body (at most 30 % of the range) with both shadows at least twice the body. The
/// candle's colour (+1 white, -1 black) or 0.
class SpinningTop : public candles::CandlePattern<SpinningTop, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    const double size = k.body_size();
    if (k.body() == 0.0 || !(size <= BODY_FRACTION * k.range())) return NONE;
    return k.upper_shadow() >= 2.0 * size && k.lower_shadow() >= 2.0 * size ? k.colour() : NONE;
  }
};

}  // namespace sorvik
