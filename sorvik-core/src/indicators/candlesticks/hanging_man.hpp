#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/hammer.hpp"

namespace sorvik {

/// The hammer's shape, read bearishly. -1 or 0.
class HangingMan : public candles::CandlePattern<HangingMan, 1> {
 public:
  static double detect(const candles::Bar& k) noexcept {
    using namespace candles;
    return Hammer::detect(k) == BULLISH ? BEARISH : NONE;
  }
};

}  // namespace sorvik
