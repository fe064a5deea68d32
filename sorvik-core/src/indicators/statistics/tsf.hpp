#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Time series forecast: the window's least-squares line one bar beyond the newest, a0 + b·n.
class Tsf {
 public:
  static Expected<Tsf> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit Tsf(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return acc_.fitted_at(acc_.constants().n);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
};

}  // namespace sorvik
