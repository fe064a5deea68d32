#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Simple moving average: the `RunningSum` of the last n closes (re-added every 16 * n pushes)
/// divided by n, yielded once n values are held.
class Sma {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Sma> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Sma(std::uint64_t period) : sum_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    sum_.push(x);
    if (!sum_.full()) return std::nullopt;
    return sum_.mean();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sum_.period(); }
  [[nodiscard]] bool ready() const noexcept { return sum_.full(); }

 private:
  RunningSum sum_;
};

}  // namespace sorvik
