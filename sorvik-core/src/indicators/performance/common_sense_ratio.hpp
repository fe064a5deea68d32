#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/performance/profit_factor.hpp"
#include "indicators/performance/tail_ratio.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Common-sense ratio of the last n returns: the `TailRatio` value times the `ProfitFactor` value of
/// the same window; 0 when the tail ratio's lower quantile is 0 (also when the profit factor is
/// infinite).
class CommonSenseRatio {
 public:
  static Expected<CommonSenseRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit CommonSenseRatio(std::uint64_t period) : tail_(period), profit_(period) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    const auto tail = tail_.update(r);
    const auto profit = profit_.update(r);
    if (!tail || !profit) return std::nullopt;
    if (tail_.lower() == 0.0) return 0.0;
    return *tail * *profit;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return tail_.warmup_period(); }

 private:
  TailRatio tail_;
  ProfitFactor profit_;
};

}  // namespace sorvik
