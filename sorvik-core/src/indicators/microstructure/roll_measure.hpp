#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Roll's effective-spread estimate over the last n trade prices: with d_i the m = n − 1 consecutive
/// price changes and μ their mean, cov = Σ_{i=1}^{m−1} (d_i − μ)(d_{i−1} − μ)/(m − 1); the answer is
/// 2·√(−cov) when cov < 0, else 0. Recomputed from the window on every trade once n prices are held.
class RollMeasure {
 public:
  /// Checks: period >= 3 (a zero included), then MAX_PERIOD.
  static Expected<RollMeasure> create(std::uint64_t period);
  explicit RollMeasure(std::uint64_t period) : prices_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(std::span<const Trade> trades) {
    if (trades.empty()) return std::nullopt;
    for (const Trade& t : trades) prices_.push_discard(t.price);
    if (!prices_.full()) return std::nullopt;
    return estimate();
  }

  /// The declared warm-up, period + 1.
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(prices_.capacity(), 1); }

 private:
  double estimate() const noexcept;

  Window<double> prices_;
};

}  // namespace sorvik
