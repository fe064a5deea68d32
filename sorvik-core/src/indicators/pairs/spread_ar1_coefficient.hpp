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

/// AR(1) coefficient of the spread s = x - y over the last n spreads: the slope of s_{i+1} on s_i
/// over the n - 1 consecutive pairs, or 0 when the lagged spreads do not vary. O(n) per update.
class SpreadAr1Coefficient {
 public:
  /// Checks: period >= 3 (a zero included), then MAX_PERIOD.
  static Expected<SpreadAr1Coefficient> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit SpreadAr1Coefficient(std::uint64_t period) noexcept : spreads_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    spreads_.push_discard(p.x - p.y);
    if (!spreads_.full()) return std::nullopt;
    return pairs::lagged_slope(spreads_, [&](std::size_t i) { return spreads_[i + 1]; }).value_or(0.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return spreads_.capacity(); }

 private:
  Window<double> spreads_;
};

}  // namespace sorvik
