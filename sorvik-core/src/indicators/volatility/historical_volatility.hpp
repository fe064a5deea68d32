#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/log_return.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Close-to-close historical volatility in percent: the sample deviation of the last n log returns,
/// annualised by sqrt(periods per year). Closes that are not positive are skipped.
class HistoricalVolatility {
 public:
  /// Checks: the period (0, then below 2, then MAX_PERIOD).
  static Expected<HistoricalVolatility> create(std::uint64_t period, std::uint64_t periods_per_year);
  /// Precondition: the period passed `create`'s checks.
  HistoricalVolatility(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : returns_(1), var_(period), annual_(std::sqrt(static_cast<double>(periods_per_year))) {}

  std::optional<double> update(double x) {
    const auto r = returns_.update(x);
    if (!r) return std::nullopt;
    var_.push(*r);
    if (!var_.full()) return std::nullopt;
    return (annual_ * std::sqrt(var_.variance())) * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(var_.period(), 1); }

 private:
  LogReturn returns_;
  RollingSampleVariance var_;
  double annual_;
};

}  // namespace sorvik
