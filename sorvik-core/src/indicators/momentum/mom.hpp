#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Momentum: the close minus the close n bars ago.
class Mom {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Mom> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Mom(std::uint64_t period) noexcept : closes_(static_cast<std::size_t>(period) + 1) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double b = closes_.oldest();
    return x - b;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }
  [[nodiscard]] bool ready() const noexcept { return closes_.full(); }

 private:
  Window<double> closes_;  // the last n + 1 closes
};

}  // namespace sorvik
