#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/performance/performance_scans.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Pain index of the last n closes taken as equity levels: the drawdowns (peak - v) / peak of the
/// points whose running peak is above 0, added oldest first from zero, divided by n.
class PainIndex {
 public:
  static Expected<PainIndex> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit PainIndex(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), n_(static_cast<double>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    double sum = 0.0;
    performance::walk_levels(window_, [&](double peak, double v) {
      if (peak > 0.0) sum = sum + (peak - v) / peak;
    });
    return sum / n_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  double n_;
};

}  // namespace sorvik
