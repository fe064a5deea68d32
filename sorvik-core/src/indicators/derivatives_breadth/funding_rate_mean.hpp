#pragma once

#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// The mean funding rate of the last n ticks: the `Sma` running sum of the funding rate.
class FundingRateMean {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<FundingRateMean> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed.
  explicit FundingRateMean(std::uint64_t period) : mean_(period) {}

  std::optional<double> update(const DerivativesTick& t) { return mean_.update(t.funding_rate); }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return mean_.warmup_period(); }

 private:
  Sma mean_;
};

}  // namespace sorvik
