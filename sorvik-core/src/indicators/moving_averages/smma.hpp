#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Smoothed (Wilder) moving average, divide form: seeded with the mean of the first n closes, then
/// value = (x + (n - 1) * value) / n.
class Smma {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Smma> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Smma(std::uint64_t period) noexcept : stage_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    return stage_.update(x);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return stage_.period(); }
  [[nodiscard]] bool ready() const noexcept { return stage_.ready(); }
  [[nodiscard]] double value() const noexcept { return stage_.value(); }

 private:
  WilderStage stage_;
};

}  // namespace sorvik
