#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Upside potential ratio of the last n returns against a minimum acceptable return m: up = (Σ over
/// r > m of (r - m)) / n, down = (Σ over r < m of (r - m)²) / n; answer up / √down, 0 when down is 0.
class UpsidePotentialRatio {
 public:
  static Expected<UpsidePotentialRatio> create(std::uint64_t period, double mar);
  /// Precondition: the parameters passed `create`'s checks.
  UpsidePotentialRatio(std::uint64_t period, double mar)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)), mar_(mar) {}

  std::optional<double> update(double r) {
    if (!std::isfinite(r)) return std::nullopt;
    window_.push_discard(r);
    if (!window_.full()) return std::nullopt;
    double above = 0.0;
    double below = 0.0;
    window_.for_each([&](double v) {
      if (v > mar_) {
        above = above + (v - mar_);
      } else if (v < mar_) {
        const double d = v - mar_;
        below = below + d * d;
      }
    });
    const double up = above / n_;
    const double down = below / n_;
    if (down == 0.0) return 0.0;
    return up / std::sqrt(down);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
  double mar_;
};

}  // namespace sorvik
