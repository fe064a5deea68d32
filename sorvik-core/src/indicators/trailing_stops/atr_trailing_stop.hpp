#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// ATR trailing stop at distance d = atr * multiplier from the close. The first stop is close - d.
/// With w the previous stop and pc the previous close: both above w trails up (max(close - d, w)),
/// both below w trails down (min(w, close + d)); a close above w after a close not above it restarts
/// long at close - d; anything else (a cross down, or a close equal to w) restarts short at close + d.
class AtrTrailingStop {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<AtrTrailingStop> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  AtrTrailingStop(std::uint64_t period, double multiplier) noexcept : atr_(period), multiplier_(multiplier) {}

  std::optional<double> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double d = *atr * multiplier_;
    const double close = c.close;
    if (!started_) {
      stop_ = close - d;
      started_ = true;
    } else {
      const double w = stop_;
      const double pc = prev_close_;
      if (close > w && pc > w) {
        stop_ = std::max(close - d, w);
      } else if (close > w) {
        stop_ = close - d;
      } else if (close < w && pc < w) {
        stop_ = std::min(w, close + d);
      } else {
        stop_ = close + d;
      }
    }
    prev_close_ = close;
    return stop_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double multiplier_;
  double stop_ = 0.0;
  double prev_close_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik
