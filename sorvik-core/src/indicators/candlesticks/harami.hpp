#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// A strictly smaller non-zero body of the opposite colour inside the previous non-zero body: +1 black
/// then white, -1 white then black, else 0.
class Harami : public candles::CandlePattern<Harami, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (k1.body() == 0.0 || k2.body() == 0.0 || !(k2.body_size() < k1.body_size())) return NONE;
    if (k1.black() && k2.white() && k2.o >= k1.c && k2.c <= k1.o) return BULLISH;
    if (k1.white() && k2.black() && k2.o <= k1.c && k2.c >= k1.o) return BEARISH;
    return NONE;
  }
};

}  // namespace sorvik
