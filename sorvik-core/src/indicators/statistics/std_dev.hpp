#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Population standard deviation of the last n closes: √var of the anchored moment accumulator.
class StdDev {
 public:
  static Expected<StdDev> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit StdDev(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return std::sqrt(acc_.variance());
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<2> acc_;
};

}  // namespace sorvik
