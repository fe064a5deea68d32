#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>

#include "indicators/bands/atr.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Yo-yo exit: with d = atr * multiplier and candidate = close - d, the stop starts at the first
/// candidate and trails up by max(stop, candidate) while long. A close below the stop switches to
/// waiting, which leaves the stop where it is until a close above stop + d returns to long with the
/// stop at that bar's candidate.
class YoyoExit {
 public:
  /// Checks: the period (0, then MAX_PERIOD), then the multiplier (finite and > 0).
  static Expected<YoyoExit> create(std::uint64_t period, double multiplier);
  /// Precondition: `create`'s checks passed.
  YoyoExit(std::uint64_t period, double multiplier) noexcept : atr_(period), multiplier_(multiplier) {}

  std::optional<double> update(const Candle& c) noexcept {
    const auto atr = atr_.update(c);
    if (!atr) return std::nullopt;
    const double d = *atr * multiplier_;
    const double close = c.close;
    const double candidate = close - d;
    if (!started_) {
      started_ = true;
      stop_ = candidate;
    } else if (waiting_) {
      if (close > stop_ + d) {
        waiting_ = false;
        stop_ = candidate;
      }
    } else if (close < stop_) {
      waiting_ = true;
    } else {
      stop_ = std::max(stop_, candidate);
    }
    return stop_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return atr_.warmup_period(); }

 private:
  Atr atr_;
  double multiplier_;
  double stop_ = 0.0;
  bool waiting_ = false;
  bool started_ = false;
};

}  // namespace sorvik
