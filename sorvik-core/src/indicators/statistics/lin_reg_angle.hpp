#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Angle of the window's least-squares line in degrees: atan(slope)·57.29577951308232.
class LinRegAngle {
 public:
  static Expected<LinRegAngle> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit LinRegAngle(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return std::atan(acc_.slope()) * 57.29577951308232;
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
};

}  // namespace sorvik
