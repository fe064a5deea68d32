#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/ema.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Triple-smoothed rate of change: three cascaded `Ema`(n) of the close; value =
/// (e3 - previous e3) * 100 / previous e3, or 0 when the previous e3 is zero. The first e3 is only
/// stored.
class Trix {
 public:
  /// Checks: the period (0, then MAX_PERIOD).
  static Expected<Trix> create(std::uint64_t period);
  /// Precondition: `check_period(period)` passed (use this constructor when embedding).
  explicit Trix(std::uint64_t period) noexcept : e1_(period), e2_(period), e3_(period) {}

  std::optional<double> update(double x) noexcept {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = e1_.update(x);
    if (!a) return std::nullopt;
    const auto b = e2_.update(*a);
    if (!b) return std::nullopt;
    const auto c = e3_.update(*b);
    if (!c) return std::nullopt;
    const std::optional<double> prev = prev_;
    prev_ = *c;
    if (!prev) return std::nullopt;
    if (*prev == 0.0) return 0.0;
    return (*c - *prev) * 100.0 / *prev;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept {
    return sat_sub(sat_mul(3, e1_.warmup_period()), 1);
  }

 private:
  Ema e1_;
  Ema e2_;
  Ema e3_;
  std::optional<double> prev_;
};

}  // namespace sorvik
