#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fisher transform of the close's position in its n-bar range:
/// v = fma(0.33, 2 (x - min)/(max - min) - 1, 0.67 v_prev) (0.67 v_prev on a flat range), clamped to
/// [-0.999, 0.999]; fish = 0.5 ln((1 + v)/(1 - v)) + 0.5 fish_prev.
class FisherTransform {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<FisherTransform> create(std::uint64_t period);
  explicit FisherTransform(std::uint64_t period) : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const double hi = scan_max(window_);
    const double lo = scan_min(window_);
    double v;
    if (hi - lo > 0.0) {
      v = std::fma(0.33, 2.0 * (x - lo) / (hi - lo) - 1.0, 0.67 * v_);
    } else {
      v = 0.67 * v_;
    }
    v = std::clamp(v, -0.999, 0.999);
    fish_ = 0.5 * std::log((1.0 + v) / (1.0 - v)) + 0.5 * fish_;
    v_ = v;
    return fish_;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double v_ = 0.0;
  double fish_ = 0.0;
};

}  // namespace sorvik
