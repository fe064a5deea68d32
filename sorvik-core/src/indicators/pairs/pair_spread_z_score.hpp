#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/pairs/co_moments.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"
#include "sorvik/records.hpp"

namespace sorvik {

/// Z-score of the hedged spread. The co-moment accumulator over the last p pairs gives the hedge
/// ratio β (0 when the reference value does not vary); from the p-th pair on, the spread
/// e = x - y·β (no intercept) is pushed into an anchored moment accumulator of q spreads. Once it
/// holds q: (e - mean) / √var with the population variance, or 0 when the variance is zero.
class PairSpreadZScore {
 public:
  /// Checks: beta_period >= 2 (a zero included), MAX_PERIOD on it, then the same for z_period.
  static Expected<PairSpreadZScore> create(std::uint64_t beta_period, std::uint64_t z_period);
  /// Precondition: the periods passed `create`'s checks.
  PairSpreadZScore(std::uint64_t beta_period, std::uint64_t z_period) noexcept
      : hedge_(beta_period), spreads_(z_period) {}

  std::optional<double> update(PairInput p) {
    if (!pairs::finite_pair(p)) return std::nullopt;
    hedge_.push(p.x, p.y);
    if (!hedge_.full()) return std::nullopt;
    const double e = p.x - p.y * hedge_.stats().beta();
    spreads_.push(e);
    if (!spreads_.full()) return std::nullopt;
    const double v = spreads_.variance();
    if (v == 0.0) return 0.0;
    return (e - (spreads_.shifted_mean() + spreads_.anchor())) / std::sqrt(v);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(hedge_.period(), spreads_.period()), 1);
  }

 private:
  CoMoments hedge_;
  AnchoredMoments<2> spreads_;
};

}  // namespace sorvik
