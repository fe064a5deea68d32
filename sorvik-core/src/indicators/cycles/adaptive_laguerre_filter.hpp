#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Adaptive Laguerre filter: four Laguerre stages whose gain alpha is the median of the 5 newest
/// normalised tracking errors (|close - previous output| scaled into the range of the last n errors).
class AdaptiveLaguerreFilter {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<AdaptiveLaguerreFilter> create(std::uint64_t period);
  explicit AdaptiveLaguerreFilter(std::uint64_t period) : errors_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    double error = 0.0;
    if (started_) [[likely]] {
      error = std::fabs(x - out_);
    } else {
      l0_ = l1_ = l2_ = l3_ = x;
      started_ = true;
    }
    errors_.push_discard(error);
    const double hh = scan_max(errors_);
    const double ll = scan_min(errors_);
    if (hh - ll > 0.0) {
      ratios_.push((error - ll) / (hh - ll));
      alpha_ = ratios_.median();
    }
    const double d = 1.0 - alpha_;
    const double n0 = alpha_ * x + d * l0_;
    const double n1 = -d * n0 + l0_ + d * l1_;
    const double n2 = -d * n1 + l1_ + d * l2_;
    const double n3 = -d * n2 + l2_ + d * l3_;
    l0_ = n0;
    l1_ = n1;
    l2_ = n2;
    l3_ = n3;
    out_ = (n0 + 2.0 * n1 + 2.0 * n2 + n3) / 6.0;
    if (!errors_.full()) return std::nullopt;
    return out_;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return errors_.capacity(); }

 private:
  Window<double> errors_;
  SortedWindow ratios_{5};
  double alpha_ = 1.0;
  double l0_ = 0.0, l1_ = 0.0, l2_ = 0.0, l3_ = 0.0;
  double out_ = 0.0;
  bool started_ = false;
};

}  // namespace sorvik
