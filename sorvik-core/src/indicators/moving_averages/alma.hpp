#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Arnaud Legoux moving average: Gaussian weights w_i = exp(-(i - m)^2 / c), m = offset * (n - 1),
/// c = (n / sigma) * 2 * (n / sigma), normalised by their sum; value = sum of w_i * x_i (i = 0 oldest).
/// The weights are computed when the window first fills, so a long period costs memory only as
/// closes arrive.
class Alma {
 public:
  /// Checks: the period, then offset finite within [0, 1], then sigma finite and > 0.
  static Expected<Alma> create(std::uint64_t period, double offset, double sigma);
  Alma(std::uint64_t period, double offset, double sigma) noexcept
      : window_(static_cast<std::size_t>(period)), offset_(offset), sigma_(sigma) {}

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  void compute_weights();

  Window<double> window_;
  double offset_;
  double sigma_;
  std::vector<double> weights_;
};

}  // namespace sorvik
