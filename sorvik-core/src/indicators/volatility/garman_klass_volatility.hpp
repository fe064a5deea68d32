#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/volatility/range_volatility.hpp"
#include "indicators/volatility/volatility_helpers.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Garman-Klass volatility in percent: the mean over n bars of (-(2 ln 2 - 1) · c) · c + (0.5 · r) · r
/// with r = ln(high/low) and c = ln(close/open), annualised by sqrt(periods per year). Bars with a
/// non-positive low are skipped.
class GarmanKlassVolatility {
 public:
  /// Checks: the period for zero, then the periods per year for zero.
  static Expected<GarmanKlassVolatility> create(std::uint64_t period, std::uint64_t periods_per_year);
  /// Precondition: `create`'s checks passed.
  GarmanKlassVolatility(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : terms_(period, periods_per_year) {}

  std::optional<double> update(const Candle& bar) {
    if (!volatility::positive_candle(bar)) return std::nullopt;
    const double r = std::log(bar.high / bar.low);
    const double c = std::log(bar.close / bar.open);
    terms_.push((-0.3862943611198906 * c) * c + (0.5 * r) * r);
    if (!terms_.full()) return std::nullopt;
    return terms_.annualised_percent(terms_.sum() / terms_.n());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return terms_.period(); }

 private:
  volatility::RangeTermSum terms_;
};

}  // namespace sorvik
