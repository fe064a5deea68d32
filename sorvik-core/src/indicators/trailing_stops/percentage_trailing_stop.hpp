#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Percentage trailing stop at c = |close| * percent / 100 from the close. Starts long at close - c;
/// a long stop trails up (max) until a close below it flips short at close + c; a short stop trails
/// down (min) until a close above it flips long at close - c.
class PercentageTrailingStop {
 public:
  /// Checks: percent finite and > 0.
  static Expected<PercentageTrailingStop> create(double percent);
  /// Precondition: `create`'s checks passed.
  explicit PercentageTrailingStop(double percent) noexcept : percent_(percent) {}

  std::optional<double> update(double close) noexcept {
    if (!std::isfinite(close)) return std::nullopt;
    const double c = (std::fabs(close) * percent_) / 100.0;
    if (!started_) {
      started_ = true;
      long_ = true;
      stop_ = close - c;
    } else if (long_) {
      if (close < stop_) {
        long_ = false;
        stop_ = close + c;
      } else {
        stop_ = std::max(stop_, close - c);
      }
    } else if (close > stop_) {
      long_ = true;
      stop_ = close - c;
    } else {
      stop_ = std::min(stop_, close + c);
    }
    return stop_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double percent_;
  double stop_ = 0.0;
  bool long_ = true;
  bool started_ = false;
};

}  // namespace sorvik
