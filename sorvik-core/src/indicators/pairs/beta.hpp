#pragma once

#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Regression slope of the close on the reference value over the last n pairs: cov / vy from the
/// co-moment accumulator, or 0 when the reference value's variance is zero.
class Beta {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<Beta> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Beta(std::uint64_t period) noexcept : acc_(period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    acc_.push(p.x, p.y);
    if (!acc_.full()) return std::nullopt;
    return acc_.stats().beta();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  CoMoments acc_;
};

}  // namespace sorvik
