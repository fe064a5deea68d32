#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Centre of gravity: over the last n closes with weight 1 for the newest up to n for the oldest,
/// (n + 1)/2 - sum(weight * x) / sum(x); 0 when |sum(x)| <= 2^-52.
class CenterOfGravity {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<CenterOfGravity> create(std::uint64_t period);
  explicit CenterOfGravity(std::uint64_t period) : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const std::size_t n = window_.capacity();
    double num = 0.0;
    double den = 0.0;
    std::size_t weight = n;  // oldest first: n down to 1
    window_.for_each([&](double v) {
      num = num + static_cast<double>(weight) * v;
      den = den + v;
      --weight;
    });
    if (std::fabs(den) <= 2.220446049250313e-16) return 0.0;
    return (static_cast<double>(n) + 1.0) / 2.0 - num / den;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
};

}  // namespace sorvik
