#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/cycles/filters.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Roofed stochastic: the roofing filter (hp 48, lp 10) of the close placed in the range of its last
/// n values, 2 (f - min)/(max - min) - 1 (0 on a flat range), averaged with the previous raw value.
class EhlersStochastic {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<EhlersStochastic> create(std::uint64_t period);
  explicit EhlersStochastic(std::uint64_t period) : roof_(10, 48), window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const double f = roof_.update(x);
    window_.push_discard(f);
    if (!window_.full()) return std::nullopt;
    const double hi = scan_max(window_);
    const double lo = scan_min(window_);
    const double raw = hi - lo > 0.0 ? 2.0 * (f - lo) / (hi - lo) - 1.0 : 0.0;
    const double out = has_prev_ ? midpoint(raw, raw_prev_) : raw;
    raw_prev_ = raw;
    has_prev_ = true;
    return out;
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  cycles::RoofingStage roof_;
  Window<double> window_;
  double raw_prev_ = 0.0;
  bool has_prev_ = false;
};

}  // namespace sorvik
