#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linear_regression.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Chande forecast oscillator: with f the `LinearRegression`(n) fitted value at the newest bar,
/// value = (close - f) * 100 / close. A close of 0 still feeds the regression but yields the
/// previous value again (nothing before the first value).
class Cfo {
 public:
  /// Checks: period >= 2 (also for 0), then MAX_PERIOD.
  static Expected<Cfo> create(std::uint64_t period);
  /// Precondition: `create`'s checks passed.
  explicit Cfo(std::uint64_t period) : regression_(period), period_(period) {}

  std::optional<double> update(double x) {
    const auto f = regression_.update(x);
    if (!f) return std::nullopt;
    if (x == 0.0) return last_;
    last_ = (x - *f) * 100.0 / x;
    return last_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return period_; }

 private:
  LinearRegression regression_;
  std::uint64_t period_;
  std::optional<double> last_;
};

}  // namespace sorvik
