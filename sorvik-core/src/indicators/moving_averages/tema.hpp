#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Triple exponential moving average: three cascaded exponential(n) stages;
/// value = (e1 * 3 - e2 * 3) + e3.
class Tema {
 public:
  static Expected<Tema> create(std::uint64_t period);
  explicit Tema(std::uint64_t period) noexcept : e1_(period), e2_(period), e3_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = e1_.update(x);
    if (!a) return std::nullopt;
    const auto b = e2_.update(*a);
    if (!b) return std::nullopt;
    const auto c = e3_.update(*b);
    if (!c) return std::nullopt;
    return (*a * 3.0 - *b * 3.0) + *c;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(3, e1_.period()), 2);
  }

 private:
  ExpStage e1_;
  ExpStage e2_;
  ExpStage e3_;
};

}  // namespace sorvik
