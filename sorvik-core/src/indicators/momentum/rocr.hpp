#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/momentum/lagged_close.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rate of change ratio: x / b with b the close n bars ago; 0 when b is zero.
class Rocr {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Rocr> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Rocr(std::uint64_t period) noexcept : base_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto b = base_.push(x);
    if (!b) return std::nullopt;
    if (*b == 0.0) return 0.0;
    return x / *b;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return base_.warmup_period(); }
  [[nodiscard]] bool ready() const noexcept { return base_.ready(); }

 private:
  LaggedClose base_;
};

}  // namespace sorvik
