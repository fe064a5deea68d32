#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// `midpoint` of the highest and lowest close of the last n (extremes by scan).
class MidPoint {
 public:
  static Expected<MidPoint> create(std::uint64_t period);
  explicit MidPoint(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    return midpoint(scan_max(window_), scan_min(window_));
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
};

}  // namespace sorvik
