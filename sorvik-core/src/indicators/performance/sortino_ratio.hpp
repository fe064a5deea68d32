#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Rolling Sortino ratio of the last n returns against a target t: dd² = (Σ over r < t of
/// (r - t)²) / n; answer (mean - t) / √dd², 0 when dd² is 0. Recomputed from the window per update.
class SortinoRatio {
 public:
  static Expected<SortinoRatio> create(std::uint64_t period, double target);
  /// Precondition: the parameters passed `create`'s checks.
  SortinoRatio(std::uint64_t period, double target)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)), target_(target) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    double below = 0.0;
    window_.for_each([&](double v) {
      sum = sum + v;
      if (v < target_) {
        const double d = v - target_;
        below = below + d * d;
      }
    });
    const double dd2 = below / n_;
    if (dd2 == 0.0) return 0.0;
    return (sum / n_ - target_) / std::sqrt(dd2);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
  double target_;
};

}  // namespace sorvik
