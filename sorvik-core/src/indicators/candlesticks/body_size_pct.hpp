#pragma once

#include <optional>

#include "indicators/candlesticks/candle_shape.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The body's share of the range, |c - o| / (h - l), as a fraction (not multiplied by 100); 0 for a
/// candle with no range.
class BodySizePct {
 public:
  static constexpr bool stateless = true;
  static Expected<BodySizePct> create() { return BodySizePct(); }

  static std::optional<double> update(const Candle& candle) noexcept {
    const candles::Bar k(candle);
    const double r = k.range();
    if (r == 0.0) return 0.0;
    return k.body_size() / r;
  }
};

}  // namespace sorvik
