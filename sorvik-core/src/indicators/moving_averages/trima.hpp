#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/moving_averages/sma.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Triangular moving average: Sma(p) of the close feeds Sma(q), p = n - n/2, q = n/2 + 1.
class Trima {
 public:
  static Expected<Trima> create(std::uint64_t period);
  explicit Trima(std::uint64_t period) : first_(period - period / 2), second_(period / 2 + 1), period_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    const auto a = first_.update(x);
    if (!a) return std::nullopt;
    return second_.update(*a);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return period_; }

 private:
  Sma first_;
  Sma second_;
  std::uint64_t period_;
};

}  // namespace sorvik
