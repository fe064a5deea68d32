#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Sine-weighted moving average: w_i = sin((i + 1) * pi / (n + 1)), i = 0 oldest;
/// value = (sum of x_i * w_i) / (sum of w_i). Weights are computed when the window first fills.
class SineWeightedMa {
 public:
  static Expected<SineWeightedMa> create(std::uint64_t period);
  explicit SineWeightedMa(std::uint64_t period) noexcept : window_(static_cast<std::size_t>(period)) {}

  std::optional<double> update(double x);
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return window_.capacity(); }

 private:
  Window<double> window_;
  std::vector<double> weights_;
  double weight_sum_ = 0.0;
};

}  // namespace sorvik
