#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Population standard deviation / window mean, signed; 0 when the mean is 0.
class CoefficientOfVariation {
 public:
  static Expected<CoefficientOfVariation> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit CoefficientOfVariation(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    const double mean = acc_.mean();
    if (mean == 0.0) return 0.0;
    return std::sqrt(acc_.variance()) / mean;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<2> acc_;
};

}  // namespace sorvik
