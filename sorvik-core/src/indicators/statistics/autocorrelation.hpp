#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Lag-L autocorrelation of the last n closes, recomputed from the window on every update:
/// Σ_{i<n-L}(x_i - mean)(x_{i+L} - mean) / Σ(x_i - mean)²; 0 when the denominator is 0 or the window
/// is flat (its rounded mean may differ from the common value, which would leave a spurious ratio).
class Autocorrelation {
 public:
  static Expected<Autocorrelation> create(std::uint64_t period, std::uint64_t lag);
  /// Precondition: the parameters passed `create`'s checks.
  Autocorrelation(std::uint64_t period, std::uint64_t lag)
      : window_(static_cast<std::size_t>(period)), lag_(static_cast<std::size_t>(lag)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const std::size_t n = window_.size();
    const double mean = window_sum(window_) / static_cast<double>(n);
    const double first = window_.oldest();
    bool flat = true;
    double den = 0.0;
    window_.for_each([&](double v) {
      const double d = v - mean;
      den = den + d * d;
      flat = flat && v == first;
    });
    if (flat) return 0.0;
    double num = 0.0;
    for (std::size_t i = 0; i + lag_ < n; ++i) {
      num = num + (window_[i] - mean) * (window_[i + lag_] - mean);
    }
    if (den == 0.0) return 0.0;
    return num / den;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::size_t lag_;
};

}  // namespace sorvik
