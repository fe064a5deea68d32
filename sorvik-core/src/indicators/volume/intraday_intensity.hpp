#pragma once

#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Intraday intensity of one bar: volume * (2 * close - high - low) / (high - low) when high > low,
/// else 0.
class IntradayIntensity {
 public:
  static constexpr bool stateless = true;
  static Expected<IntradayIntensity> create() { return IntradayIntensity(); }

  static std::optional<double> update(const Candle& c) noexcept {
    if (!(c.high > c.low)) return 0.0;
    return c.volume * (2.0 * c.close - c.high - c.low) / (c.high - c.low);
  }
};

}  // namespace sorvik
