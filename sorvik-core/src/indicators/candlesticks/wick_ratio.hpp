#pragma once

#include <optional>

#include "indicators/candlesticks/candle_shape.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The imbalance of the shadows, (upper shadow - lower shadow) / range: +1 all upper shadow, -1 all
/// lower shadow; 0 for a candle with no range.
class WickRatio {
 public:
  static constexpr bool stateless = true;
  static Expected<WickRatio> create() { return WickRatio(); }

  static std::optional<double> update(const Candle& candle) noexcept {
    const candles::Bar k(candle);
    const double r = k.range();
    if (r == 0.0) return 0.0;
    return (k.upper_shadow() - k.lower_shadow()) / r;
  }
};

}  // namespace sorvik
