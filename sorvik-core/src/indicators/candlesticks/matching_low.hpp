#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// +1: two black candles closing at the same level (within 5 % of the midpoint of their ranges).
/// Else 0.
class MatchingLow : public candles::CandlePattern<MatchingLow, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!k1.black() || !k2.black()) return NONE;
    return std::fabs(k2.c - k1.c) <= SHADOW_TOLERANCE * midpoint(k1.range(), k2.range()) ? BULLISH : NONE;
  }
};

}  // namespace sorvik
