#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (close - min) / (max - min) over the last n closes (rolling extremes by scan); 0.5 when the
/// range is not positive.
class RollingMinMaxScaler {
 public:
  static Expected<RollingMinMaxScaler> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit RollingMinMaxScaler(std::uint64_t period) : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    const double lo = scan_min(window_);
    const double range = scan_max(window_) - lo;
    if (!(range > 0.0)) return 0.5;
    return (x - lo) / range;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
};

}  // namespace sorvik
