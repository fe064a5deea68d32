#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Geometric moving average: a running sum of ln(x) over n closes (re-added every n pushes);
/// value = exp(sum / n). Closes that are not finite and strictly positive are skipped.
class GeometricMa {
 public:
  static Expected<GeometricMa> create(std::uint64_t period);
  explicit GeometricMa(std::uint64_t period) : logs_(period, period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x) || !(x > 0.0)) return std::nullopt;
    logs_.push(std::log(x));
    if (!logs_.full()) return std::nullopt;
    return std::exp(logs_.mean());
  }
  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return logs_.period(); }

 private:
  RunningSum logs_;
};

}  // namespace sorvik
