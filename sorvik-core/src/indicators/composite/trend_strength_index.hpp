#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Trend strength index: the squared correlation of the last n closes with time, signed by the
/// slope. mean = window sum / n; with x = 0 (oldest) ... n - 1 and d = close - mean, accumulated
/// oldest first: Sdd, Sdx, Sd, Sx, Sxx. u = fma(n, Sdd, -(Sd * Sd)) (value 0 when u <= 0),
/// v = fma(n, Sxx, -(Sx * Sx)), w = fma(n, Sdx, -(Sd * Sx)); value = w^2 / (u * v), negated when
/// w < 0.
class TrendStrengthIndex {
 public:
  /// Checks: period >= 2 (also for 0), then MAX_PERIOD.
  static Expected<TrendStrengthIndex> create(std::uint64_t period);
  /// Precondition: `create`'s checks passed.
  explicit TrendStrengthIndex(std::uint64_t period) noexcept
      : closes_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    closes_.push_discard(x);
    if (!closes_.full()) return std::nullopt;
    const double mean = window_sum(closes_) / n_;
    double sdd = 0.0;
    double sdx = 0.0;
    double sd = 0.0;
    double sx = 0.0;
    double sxx = 0.0;
    double i = 0.0;
    closes_.for_each([&](double y) {
      const double d = y - mean;
      sdd = sdd + d * d;
      sdx = sdx + d * i;
      sd = sd + d;
      sx = sx + i;
      sxx = sxx + i * i;
      i = i + 1.0;
    });
    const double u = std::fma(n_, sdd, -(sd * sd));
    if (u <= 0.0) return 0.0;
    const double v = std::fma(n_, sxx, -(sx * sx));
    const double w = std::fma(n_, sdx, -(sd * sx));
    const double r2 = w * w / (u * v);
    return w < 0.0 ? -r2 : r2;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return closes_.capacity(); }

 private:
  Window<double> closes_;
  double n_;
};

}  // namespace sorvik
