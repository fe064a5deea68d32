#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "indicators/statistics/window_regression.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Residual standard deviation of the window's least-squares line, recomputed from the window on
/// every update: √(Σe²/n).
class DetrendedStdDev {
 public:
  static Expected<DetrendedStdDev> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit DetrendedStdDev(std::uint64_t period)
      : window_(static_cast<std::size_t>(period)), c_(LinRegConstants::of(period)) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    window_.push_discard(x);
    if (!window_.full()) return std::nullopt;
    return std::sqrt(centred_residual_squares(window_, c_) / c_.n);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  LinRegConstants c_;
};

}  // namespace sorvik
