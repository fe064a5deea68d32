#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Projection bands: the least-squares slopes of the last n highs and n lows (x = 0 oldest ... n - 1
/// newest) project every stored bar forward to the newest bar; upper = the largest projected high,
/// lower = the smallest projected low, middle = midpoint(lower, upper).
class ProjectionBands {
 public:
  static constexpr std::array<std::string_view, 3> output_names{"upper", "middle", "lower"};
  /// Checks: period >= 2 (also for 0), then MAX_PERIOD.
  static Expected<ProjectionBands> create(std::uint64_t period);
  /// Precondition: 2 <= period <= MAX_PERIOD.
  explicit ProjectionBands(std::uint64_t period) noexcept
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {
    sx_ = 0.5 * ((n_ - 1.0) * n_);
    const double sxx = (2.0 * n_ - 1.0) * ((n_ - 1.0) * n_) / 6.0;
    denom_ = n_ * sxx - sx_ * sx_;
  }

  std::optional<std::array<double, 3>> update(const Candle& c) {
    window_.push_discard({c.high, c.low});
    if (!window_.full()) return std::nullopt;
    const double slope_high = slope([](const HighLow& b) { return b.high; });
    const double slope_low = slope([](const HighLow& b) { return b.low; });
    double upper = -std::numeric_limits<double>::infinity();
    double lower = std::numeric_limits<double>::infinity();
    const std::size_t n = window_.size();
    std::size_t i = 0;
    window_.for_each([&](const HighLow& b) {
      const auto k = static_cast<double>((n - 1) - i);
      const double high = slope_high * k + b.high;
      const double low = k * slope_low + b.low;
      if (high > upper) upper = high;
      if (low < lower) lower = low;
      ++i;
    });
    return std::array<double, 3>{upper, midpoint(lower, upper), lower};
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  struct HighLow {
    double high;
    double low;
  };

  /// (A * n - B * Sx) / (n * Sxx - Sx * Sx) with e_i = y_i - mean, A = sum(x_i * e_i), B = sum(e_i).
  template <class Proj>
  double slope(Proj proj) const {
    double sum = 0.0;
    window_.for_each([&](const HighLow& b) { sum = sum + proj(b); });
    const double mean = sum / n_;
    double a = 0.0;
    double b_sum = 0.0;
    double x = 0.0;
    window_.for_each([&](const HighLow& b) {
      const double e = proj(b) - mean;
      a = a + x * e;
      b_sum = b_sum + e;
      x = x + 1.0;
    });
    return (a * n_ - b_sum * sx_) / denom_;
  }

  Window<HighLow> window_;
  double n_;
  double sx_ = 0.0;
  double denom_ = 0.0;
};

}  // namespace sorvik
