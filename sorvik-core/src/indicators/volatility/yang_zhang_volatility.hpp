#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/volatility/volatility_helpers.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Yang-Zhang volatility in percent: the overnight variance plus k times the open-to-close variance
/// plus (1 - k) times the mean Rogers-Satchell term over n bars, k = 0.34 / ((1 + n) / (n - 1) + 1.34),
/// annualised by sqrt(periods per year). The first bar only supplies the previous close; bars with a
/// non-positive low are skipped.
class YangZhangVolatility {
 public:
  /// Checks: the period (0, then below 2, then MAX_PERIOD).
  static Expected<YangZhangVolatility> create(std::uint64_t period, std::uint64_t periods_per_year);
  /// Precondition: the period passed `create`'s checks.
  YangZhangVolatility(std::uint64_t period, std::uint64_t periods_per_year) noexcept
      : overnight_(period), open_close_(period), rs_(period), n_(static_cast<double>(period)),
        k_(0.34 / ((1.0 + n_) / (n_ - 1.0) + 1.34)),
        annual_(std::sqrt(static_cast<double>(periods_per_year))) {}

  std::optional<double> update(const Candle& bar) {
    if (!volatility::positive_candle(bar)) return std::nullopt;
    if (!has_prev_) {
      prev_close_ = bar.close;
      has_prev_ = true;
      return std::nullopt;
    }
    const double o = std::log(bar.open / prev_close_);
    const double c = std::log(bar.close / bar.open);
    const double rs = std::fma(std::log(bar.high / bar.close), std::log(bar.high / bar.open),
                               std::log(bar.low / bar.close) * std::log(bar.low / bar.open));
    prev_close_ = bar.close;
    overnight_.push(o);
    open_close_.push(c);
    rs_.push(rs);
    if (!rs_.full()) return std::nullopt;
    const double var_o = overnight_.variance();
    const double var_c = open_close_.variance();
    const double rs_mean = std::max(rs_.sum() / n_, 0.0);
    const double variance = (1.0 - k_) * rs_mean + (var_c * k_ + var_o);
    return (annual_ * std::sqrt(std::max(variance, 0.0))) * 100.0;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return sat_add(overnight_.period(), 1); }

 private:
  RollingSampleVariance overnight_;
  RollingSampleVariance open_close_;
  RunningSum rs_;
  double n_;
  double k_;
  double annual_;
  double prev_close_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
