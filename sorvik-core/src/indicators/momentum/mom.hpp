#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/momentum/lagged_close.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Momentum: the close minus the close n bars ago.
class Mom {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Mom> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Mom(std::uint64_t period) noexcept : base_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto b = base_.push(x);
    if (!b) return std::nullopt;
    return x - *b;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return base_.warmup_period(); }
  [[nodiscard]] bool ready() const noexcept { return base_.ready(); }

 private:
  LaggedClose base_;
};

}  // namespace sorvik
