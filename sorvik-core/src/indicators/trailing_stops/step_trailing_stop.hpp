#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Step trailing stop on whole multiples of step: a long stop sits at floor((close - step) / step)
/// * step and only rises; a close below it flips short at ceil((close + step) / step) * step, which
/// only falls until a close above it flips long again. The first stop is the long level.
class StepTrailingStop {
 public:
  /// Checks: step finite and > 0.
  static Expected<StepTrailingStop> create(double step);
  /// Precondition: `create`'s checks passed.
  explicit StepTrailingStop(double step) noexcept : step_(step) {}

  std::optional<double> update(double close) noexcept {
    if (!std::isfinite(close)) return std::nullopt;
    if (!started_) {
      started_ = true;
      long_ = true;
      stop_ = long_level(close);
    } else if (long_) {
      if (close < stop_) {
        long_ = false;
        stop_ = short_level(close);
      } else {
        stop_ = std::max(stop_, long_level(close));
      }
    } else if (close > stop_) {
      long_ = true;
      stop_ = long_level(close);
    } else {
      stop_ = std::min(stop_, short_level(close));
    }
    return stop_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 1; }

 private:
  double long_level(double close) const noexcept { return std::floor((close - step_) / step_) * step_; }
  double short_level(double close) const noexcept { return std::ceil((close + step_) / step_) * step_; }

  double step_;
  double stop_ = 0.0;
  bool long_ = true;
  bool started_ = false;
};

}  // namespace sorvik
