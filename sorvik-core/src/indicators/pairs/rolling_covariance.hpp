#pragma once

#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "indicators/pairs/pair_changes.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Population covariance of the one-bar changes of the close and of the reference value over the last
/// n changes (the first pair only sets the previous pair): Sxy/n - (Sx/n)·(Sy/n).
class RollingCovariance {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<RollingCovariance> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit RollingCovariance(std::uint64_t period) noexcept : acc_(period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    const auto d = changes_.update(p);
    if (!d) return std::nullopt;
    acc_.push(d->x, d->y);
    if (!acc_.full()) return std::nullopt;
    return acc_.stats().cov;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(acc_.period(), 1); }

 private:
  pairs::PairChanges changes_;
  CoMoments acc_;
};

}  // namespace sorvik
