#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Martin ratio of the last n returns: mean return over the ulcer index of the equity compounded
/// from 1, u = ((peak - E) · 100) / peak per point and Q = Σu² / n; 0 when Q is not above 0.
class MartinRatio {
 public:
  static Expected<MartinRatio> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit MartinRatio(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    double u2 = 0.0;
    performance::walk_compounded(window_, [&](double r, double peak, double e) {
      const double u = ((peak - e) * 100.0) / peak;
      u2 = u2 + u * u;
      sum = sum + r;
    });
    const double q = u2 / n_;
    if (!(q > 0.0)) return 0.0;
    return (sum / n_) / std::sqrt(q);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik
