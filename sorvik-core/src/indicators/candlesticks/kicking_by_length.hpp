#pragma once

#include "indicators/candlesticks/candle_pattern.hpp"
#include "indicators/candlesticks/kicking.hpp"

namespace sorvik {

/// The kicking pattern, signalled by the colour of its longer body (+1 white, -1 black); equal bodies
/// give the first candle's colour. 0 when there is no kicking pattern.
class KickingByLength : public candles::CandlePattern<KickingByLength, 2> {
 public:
  static double detect(const candles::Bar& k1, const candles::Bar& k2) noexcept {
    using namespace candles;
    if (Kicking::detect(k1, k2) == NONE) return NONE;
    return k2.body_size() > k1.body_size() ? k2.colour() : k1.colour();
  }
};

}  // namespace sorvik
