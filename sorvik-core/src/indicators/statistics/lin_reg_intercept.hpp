#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Fitted value of the window's least-squares line at the oldest bar: K + (Sy - Sx·b)/n.
class LinRegIntercept {
 public:
  static Expected<LinRegIntercept> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit LinRegIntercept(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return acc_.intercept();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
};

}  // namespace sorvik
