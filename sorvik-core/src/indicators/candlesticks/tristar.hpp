#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"

namespace sorvik {

/// Three doji, the middle one beyond both others: -1 when it sits above (a top), +1 when it sits below
/// (a bottom), else 0.
class Tristar : public candles::CandlePattern<Tristar, 3> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2, const candles::Bar& k3) noexcept {
    using namespace candles;
    if (!k1.doji() || !k2.doji() || !k3.doji()) return NONE;
    if (k2.bottom() > k1.top() && k2.top() > k3.top()) return BEARISH;
    if (k1.bottom() > k2.top() && k3.bottom() > k2.bottom()) return BULLISH;
    return NONE;
  }
};

}  // namespace sorvik
