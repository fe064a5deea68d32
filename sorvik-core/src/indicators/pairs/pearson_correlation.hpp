#pragma once

#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Correlation of the close and the reference value over the last n pairs, from the co-moment
/// accumulator: 0 when either variance is zero, else cov / √(vx·vy) clamped to [-1, 1].
class PearsonCorrelation {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<PearsonCorrelation> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit PearsonCorrelation(std::uint64_t period) noexcept : acc_(period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    acc_.push(p.x, p.y);
    if (!acc_.full()) return std::nullopt;
    return acc_.stats().correlation();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  CoMoments acc_;
};

}  // namespace sorvik
