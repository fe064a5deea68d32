#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Two long candles of opposite colours closing at the same level (within 5 % of their mean range):
/// +1 black then white, -1 white then black, else 0.
class Counterattack : public candles::CandlePattern<Counterattack, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (!k1.long_body() || !k2.long_body()) return NONE;
    if (!(std::fabs(k2.c - k1.c) <= SHADOW_TOLERANCE * (0.5 * (k1.range() + k2.range())))) return NONE;
    if (k2.white() && k1.black()) return BULLISH;
    if (k2.black() && k1.white()) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
