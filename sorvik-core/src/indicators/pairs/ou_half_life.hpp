#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "indicators/pairs/lagged_regression.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Ornstein-Uhlenbeck half-life of the spread s = x - y, in bars: b = the slope of the one-bar change
/// s_{i+1} - s_i on s_i over the last n spreads; -ln 2 / b when b < 0 (the spread reverts), else 0.
/// O(n) per update.
class OuHalfLife {
 public:
  /// Checks: period >= 3 (a zero included), then MAX_PERIOD.
  static Expected<OuHalfLife> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit OuHalfLife(std::uint64_t period) noexcept : spreads_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    spreads_.push_discard(p.x - p.y);
    if (!spreads_.full()) return std::nullopt;
    const auto b = pairs::lagged_slope(spreads_, [&](std::size_t i) { return spreads_[i + 1] - spreads_[i]; });
    if (b && *b < 0.0) return -0.6931471805599453 / *b;
    return 0.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return spreads_.capacity(); }

 private:
  Window<double> spreads_;
};

}  // namespace sorvik
