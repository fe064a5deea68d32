#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Exponential moving average: alpha = 2 / (n + 1); seeded with the mean of the first n closes,
/// then value = fma(alpha, x, beta * value).
class Ema {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Ema> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Ema(std::uint64_t period) noexcept : stage_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return stage_.update(x);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return stage_.period(); }
  [[nodiscard]] bool ready() const noexcept { return stage_.ready(); }
  /// The current value (meaningful once ready).
  [[nodiscard]] double value() const noexcept { return stage_.value(); }

 private:
  ExpStage stage_;
};

}  // namespace sorvik
