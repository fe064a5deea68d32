#pragma once

#include <cmath>
#include <cstdint>
#include <optional>

#include "indicators/statistics/linreg.hpp"
#include "sorvik/indicator.hpp"

namespace sorvik {

/// Slope per bar of the window's least-squares line: (n·Sxy - Sx·Sy) / D.
class LinRegSlope {
 public:
  static Expected<LinRegSlope> create(std::uint64_t period);
  /// Precondition: the period passed `create`'s checks.
  explicit LinRegSlope(std::uint64_t period) : acc_(period) {}

  std::optional<double> update(double x) {
    if (!std::isfinite(x)) return std::nullopt;
    acc_.push(x);
    if (!acc_.full()) return std::nullopt;
    return acc_.slope();
  }

  [[nodiscard]] std::uint64_t warmup_period() const noexcept { return acc_.period(); }

 private:
  LinRegAccumulator acc_;
};

}  // namespace sorvik
