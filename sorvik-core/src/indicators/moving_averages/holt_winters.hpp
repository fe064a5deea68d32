#pragma once

#include <cstdint>
#include <optional>

#include "sorvik/indicator.hpp"

namespace sorvik {

/// Holt's double exponential smoothing: the first close is stored; at the second, level = x and
/// trend = x - first; later level' = (level + trend) * (1 - alpha) + x * alpha and
/// trend' = (1 - beta) * trend + (level' - level) * beta. Value = trend + level.
class HoltWinters {
 public:
  /// Checks: alpha within (0, 1], then beta within (0, 1].
  static Expected<HoltWinters> create(double alpha, double beta);
  HoltWinters(double alpha, double beta) noexcept : alpha_(alpha), beta_(beta) {}

  std::optional<double> update(double x) noexcept;
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return 2; }

 private:
  double alpha_;
  double beta_;
  double level_ = 0.0;
  double trend_ = 0.0;
  std::uint8_t seen_ = 0;  // closes seen, up to 2
};

}  // namespace sorvik
