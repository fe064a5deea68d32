#pragma once

// The common frame of the range-based estimators (Parkinson, Garman-Klass, Rogers-Satchell): a
// per-bar term from the candle's prices enters a window of n with a running sum re-added from
// scratch every n pushes.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik::volatility {

/// The window length is tested for zero only; the periods per year must be non-zero.
[[nodiscard]] inline std::optional<IndicatorError> check_range_estimator(std::uint64_t period,
                                                                         std::uint64_t periods_per_year) noexcept {
  if (period == 0) return IndicatorError::zero_period();
  if (periods_per_year == 0) return IndicatorError::zero_period();
  return std::nullopt;
}

/// The window of per-bar terms and the annualising factor sqrt(periods per year).
class RangeTermSum {
 public:
  RangeTermSum(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : sum_(period, period), n_(static_cast<double>(period)),
        annual_(std::sqrt(static_cast<double>(periods_per_year))) {}

  void push(double term) { sum_.push(term); }
  [[nodiscard]] bool full() const noexcept { return sum_.full(); }
  [[nodiscard]] double sum() const noexcept { return sum_.sum(); }
  [[nodiscard]] double n() const noexcept { return n_; }
  [[nodiscard]] std::uint64_t period() const noexcept { return sum_.period(); }
  /// sqrt(periods per year) * sqrt(max(variance, 0)) * 100.
  [[nodiscard]] double annualised_percent(double variance) const noexcept {
    return (annual_ * std::sqrt(std::max(variance, 0.0))) * 100.0;
  }

 private:
  RunningSum sum_;
  double n_;
  double annual_;
};

}  // namespace sorvik::volatility
