#pragma once

#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Residual of the close against the line fitted on the reference value over the last n pairs:
/// x - (y·β + a) with β the slope (0 when the reference value does not vary) and a = mean x -
/// mean y·β the intercept (mean x when it does not vary).
class BetaNeutralSpread {
 public:
  /// Checks: period >= 2 (a zero included), then MAX_PERIOD.
  static Expected<BetaNeutralSpread> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit BetaNeutralSpread(std::uint64_t period) noexcept : acc_(period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    acc_.push(p.x, p.y);
    if (!acc_.full()) return std::nullopt;
    const CoMomentStats s = acc_.stats();
    double beta = 0.0;
    double intercept = s.mean_x;
    if (s.vy != 0.0) {
      beta = s.beta();
      intercept = s.mean_x - s.mean_y * beta;
    }
    return p.x - (p.y * beta + intercept);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  CoMoments acc_;
};

}  // namespace sorvik
