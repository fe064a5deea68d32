#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// (newest close - window mean) / population standard deviation; 0 on a window of zero variance.
class ZScore {
 public:
  static Expected<ZScore> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit ZScore(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    const double var = acc_.variance();
    if (var == 0.0) return 0.0;
    return (x - acc_.mean()) / std::sqrt(var);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<2> acc_;
};

}  // namespace sorvik
