#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Volatility stop at d = atr * multiplier from the extreme close of the current run. The first bar
/// starts long at close - d. A long run flips short when the close falls below extreme - d (a short
/// run flips long above extreme + d); the flip restarts the extreme at the close.
class VoltyStop {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<VoltyStop> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  VoltyStop(std::uint64_t period, double multiplier) noexcept : atr_(period), multiplier_(multiplier) {}

  std::optional<double> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double d = *atr * multiplier_;
    const double close = c.close;
    if (!started_) {
      started_ = true;
      long_ = true;
      extreme_ = close;
      return close - d;
    }
    if (long_) {
      if (close < extreme_ - d) {
        long_ = false;
        extreme_ = close;
        return close + d;
      }
      extreme_ = std::max(extreme_, close);
      return extreme_ - d;
    }
    if (close > extreme_ + d) {
      long_ = true;
      extreme_ = close;
      return close - d;
    }
    extreme_ = std::min(extreme_, close);
    return extreme_ + d;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double multiplier_;
  double extreme_ = 0.0;
  bool long_ = true;
  bool started_ = false;
};

}  // namespace sorvik
