#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// K-ratio of the last n returns: the cumulative sums y_i = r_1 + ... + r_i (no logarithm) fitted
/// against x_i = i by least squares; slope b over its standard error, b / √((SSR / (n - 2)) / Sxx);
/// 0 when the residual sum SSR is not above 0. Three passes over the window per update.
class KRatio {
 public:
  static Expected<KRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit KRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)),
        n_(static_cast<double>(period)),
        n_minus_2_(static_cast<double>(period) + -2.0) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    // Mean of the cumulative sums.
    double y = 0.0;
    double sum_y = 0.0;
    window_.for_each([&](double v) {
      y = y + v;
      sum_y = sum_y + y;
    });
    const double y_mean = sum_y / n_;
    const double x_mean = (n_ + 1.0) * 0.5;
    // Centred sums.
    double sxx = 0.0;
    double sxy = 0.0;
    double x = 0.0;
    y = 0.0;
    window_.for_each([&](double v) {
      y = y + v;
      x = x + 1.0;
      const double dx = x - x_mean;
      sxx = sxx + dx * dx;
      sxy = sxy + (y - y_mean) * dx;
    });
    const double b = sxy / sxx;
    const double a = y_mean - x_mean * b;
    // Residuals of the fit.
    double ssr = 0.0;
    x = 0.0;
    y = 0.0;
    window_.for_each([&](double v) {
      y = y + v;
      x = x + 1.0;
      const double e = y - (x * b + a);
      ssr = ssr + e * e;
    });
    if (!(ssr > 0.0)) return 0.0;
    return b / std::sqrt((ssr / n_minus_2_) / sxx);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
  double n_minus_2_;
};

}  // namespace sorvik
