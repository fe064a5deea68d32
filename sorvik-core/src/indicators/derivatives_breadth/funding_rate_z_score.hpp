#pragma once

#include <cstdint>
#include <optional>

#include "indicators/statistics/z_score.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The z-score of the newest funding rate against the last n: the `ZScore` of the funding-rate
/// series (anchored moments; 0 on a window of zero variance).
class FundingRateZScore {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<FundingRateZScore> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit FundingRateZScore(std::uint64_t period) : z_(period) {}

  std::optional<double> update(const DerivativesTick& t) { return z_.update(t.funding_rate); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return z_.warmup_period(); }

 private:
  ZScore z_;
};

}  // namespace sorvik
