#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/blocks.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Coefficient of determination of the window's least-squares line: with total = max(Syy - n·(Sy/n)²,
/// 0), 1 when total is not above 0, else (D/n)·b²/total clamped to [0, 1].
class RSquared {
 public:
  static Expected<RSquared> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit RSquared(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    const LinRegConstants& c = acc_.constants();
    const double my = acc_.sy() / c.n;
    const double total = non_negative(acc_.syy() - c.n * (my * my));
    if (!(total > 0.0)) return 1.0;
    const double b = acc_.slope();
    const double r2 = c.d / c.n * (b * b) / total;
    return r2 > 1.0 ? 1.0 : (r2 > 0.0 ? r2 : 0.0);
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
};

}  // namespace sorvik
