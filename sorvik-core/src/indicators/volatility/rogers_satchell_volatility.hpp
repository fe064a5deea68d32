#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/volatility/range_volatility.hpp"
#include "indicators/volatility/volatility_helpers.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rogers-Satchell volatility in percent: the mean over n bars of
/// ln(high/close) · ln(high/open) + ln(low/close) · ln(low/open), annualised by sqrt(periods per
/// year). Bars with a non-positive low are skipped.
class RogersSatchellVolatility {
 public:
  /// Checks: the period for zero, then the periods per year for zero.
  static Expected<RogersSatchellVolatility> create(std::uint64_t period, std::uint64_t periods_per_year);
  /// Precondition: `create`'s checks passed.
  RogersSatchellVolatility(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : terms_(period, periods_per_year) {}

  std::optional<double> update(const Candle& c) {
    if (!volatility::positive_candle(c)) return std::nullopt;
    terms_.push(std::log(c.high / c.close) * std::log(c.high / c.open) +
                std::log(c.low / c.close) * std::log(c.low / c.open));
    if (!terms_.full()) return std::nullopt;
    return terms_.annualised_percent(terms_.sum() / terms_.n());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return terms_.period(); }

 private:
  volatility::RangeTermSum terms_;
};

}  // namespace sorvik
