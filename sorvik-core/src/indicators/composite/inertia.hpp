#pragma once

#include <cstdint>
#include <optional>

#include "indicators/statistics/linear_regression.hpp"
#include "indicators/volatility/rvi_volatility.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Inertia: the candle's close feeds `RviVolatility`(r); each RVI value feeds `LinearRegression`(m),
/// whose fitted value at the newest bar is the value.
class Inertia {
 public:
  /// Checks: both periods non-zero; r within MAX_PERIOD and at least 2; m at least 2, then within
  /// MAX_PERIOD.
  static Expected<Inertia> create(std::uint64_t rvi_period, std::uint64_t regression_period);
  /// Precondition: `create`'s checks passed.
  Inertia(std::uint64_t rvi_period, std::uint64_t regression_period)
      : rvi_(rvi_period), regression_(regression_period), regression_period_(regression_period) {}

  std::optional<double> update(const Candle& c) {
    const auto r = rvi_.update(c.close);
    if (!r) return std::nullopt;
    return regression_.update(*r);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_add(rvi_.warmup_period(), regression_period_), 1);
  }

 private:
  RviVolatility rvi_;
  LinearRegression regression_;
  std::uint64_t regression_period_;
};

}  // namespace sorvik
