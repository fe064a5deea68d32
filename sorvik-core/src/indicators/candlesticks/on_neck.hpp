#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// -1: a long black candle, then a white one opening below its low and closing at its low (within
/// 5 % of its range). Else 0.
class OnNeck : public candles::CandlePattern<OnNeck, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!long_black_then_white_below(k1, k2)) return NONE;
    return std::fabs(k2.c - k1.l) <= SHADOW_TOLERANCE * k1.range() ? BEARISH : NONE;
  }
};

}  // namespace sorvik
