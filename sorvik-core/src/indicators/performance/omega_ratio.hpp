#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Omega ratio of the last n returns at a threshold t: G = Σ max(r - t, 0), L = Σ max(t - r, 0);
/// G / L, and with L = 0 +infinity when G is not 0, 1 when it is.
class OmegaRatio {
 public:
  static Expected<OmegaRatio> create(std::uint64_t period, double threshold);
  /// Precondition: the parameters passed `create`'s checks.
  OmegaRatio(std::uint64_t period, double threshold)
      : window_(static_cast<std::size_t>(period)), threshold_(threshold) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    double g = 0.0;
    double l = 0.0;
    window_.for_each([&](double v) {
      if (v > threshold_) {
        g = g + (v - threshold_);
      } else if (v < threshold_) {
        l = l + (threshold_ - v);
      }
    });
    return performance::gains_over_losses(g, l);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double threshold_;
};

}  // namespace sorvik
