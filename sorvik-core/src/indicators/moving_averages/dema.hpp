#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Double exponential moving average: e1 = exponential(n) of the close, e2 = exponential(n) of e1
/// (fed only once e1 yields); value = (e1 + e1) - e2.
class Dema {
 public:
  static Expected<Dema> create(std::uint64_t period);
  explicit Dema(std::uint64_t period) noexcept : e1_(period), e2_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = e1_.update(x);
    if (!a) return std::nullopt;
    const auto b = e2_.update(*a);
    if (!b) return std::nullopt;
    return (*a + *a) - *b;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(2, e1_.period()), 1);
  }

 private:
  ExpStage e1_;
  ExpStage e2_;
};

}  // namespace sorvik
