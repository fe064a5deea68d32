#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fractal adaptive moving average over a window of n closes (n even): the fractal dimension from
/// the ranges of both halves and the whole window sets alpha = clamp(exp(-4.6 (d - 1)), 0.01, 1);
/// value = (1 - alpha) * prev + x * alpha (prev = the close on the first value).
class Frama {
 public:
  /// Checks: n >= 2, n even, then MAX_PERIOD.
  static Expected<Frama> create(std::uint64_t period);
  explicit Frama(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::optional<double> value_;
};

}  // namespace sorvik
