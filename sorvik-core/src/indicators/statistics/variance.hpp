#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Population variance of the last n closes: max(S2/n - (S1/n)², 0) of the anchored moment accumulator.
class Variance {
 public:
  static Expected<Variance> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Variance(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return acc_.variance();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  AnchoredMoments<2> acc_;
};

}  // namespace sorvik
