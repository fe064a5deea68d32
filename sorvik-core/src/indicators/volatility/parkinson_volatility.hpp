#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/volatility/range_volatility.hpp"
#include "indicators/volatility/volatility_helpers.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Parkinson high-low volatility in percent: variance = (sum of ln(high/low)² over n bars ·
/// 1/(4 ln 2)) / n, annualised by sqrt(periods per year). Bars with a non-positive low are skipped.
class ParkinsonVolatility {
 public:
  /// Checks: the period for zero, then the periods per year for zero.
  static Expected<ParkinsonVolatility> create(std::uint64_t period, std::uint64_t periods_per_year);
  /// Precondition: `create`'s checks passed.
  ParkinsonVolatility(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : terms_(period, periods_per_year) {}

  std::optional<double> update(const Candle& c) {
    if (!volatility::positive_candle(c)) return std::nullopt;
    const double hl = std::log(c.high / c.low);
    terms_.push(hl * hl);
    if (!terms_.full()) return std::nullopt;
    const double variance = (terms_.sum() * 0.3606737602222412) / terms_.n();
    return terms_.annualised_percent(variance);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return terms_.period(); }

 private:
  volatility::RangeTermSum terms_;
};

}  // namespace sorvik
