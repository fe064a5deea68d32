#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Tillson T3: six cascaded exponential(n) stages combined with coefficients from the volume
/// factor v: value = c4 * e3 + ((c2 * e5 + c1 * e6) + c3 * e4).
class T3 {
 public:
  /// Checks: the period, then v finite and within [0, 1].
  static Expected<T3> create(std::uint64_t period, double volume_factor);
  T3(std::uint64_t period, double volume_factor) noexcept;

  std::optional<double> update(double x) noexcept;
  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(6, period_), 5);
  }

 private:
  std::array<ExpStage, 6> e_;
  std::uint64_t period_;
  double c1_, c2_, c3_, c4_;
};

}  // namespace sorvik
