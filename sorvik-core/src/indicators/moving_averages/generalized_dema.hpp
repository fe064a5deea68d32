#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Generalized DEMA: e1, e2 as in `Dema`; value = e1 * (1 + v) - e2 * v.
class GeneralizedDema {
 public:
  /// Checks: the period, then v finite and within [0, 1].
  static Expected<GeneralizedDema> create(std::uint64_t period, double volume_factor);
  GeneralizedDema(std::uint64_t period, double volume_factor) noexcept
      : e1_(period), e2_(period), v_(volume_factor) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = e1_.update(x);
    if (!a) return std::nullopt;
    const auto b = e2_.update(*a);
    if (!b) return std::nullopt;
    return *a * (1.0 + v_) - *b * v_;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(2, e1_.period()), 1);
  }

 private:
  ExpStage e1_;
  ExpStage e2_;
  double v_;
};

}  // namespace sorvik
